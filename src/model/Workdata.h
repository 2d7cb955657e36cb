#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Recsource.h"
#include "model/Vqfont.h"

// Work kinds are texts of the work data.
namespace WorkKind {
inline constexpr const char* Real = "实工作";
inline constexpr const char* Dummy = "虚工作";
inline constexpr const char* Milestone = "里程碑";
inline constexpr const char* Auxiliary = "辅助工作";
inline constexpr const char* Suspended = "挂起工作";
inline constexpr const char* Other = "其它工作";
inline constexpr const char* TotalDuration = "总工期";
}

// The data record every work owns.
class Tworkdata {
public:
    float duration = 0;
    float start = 0;
    std::string code;
    int32_t groupNo = 0;
    std::string groupName;
    double quantity = 0;
    std::string name;
    TVqFont font{"宋体", 9, 0x00FFFF};
    bool useCustom = false;
    bool useCustomWidth = false;
    bool useCustomColor = false;
    bool useCustomStyle = false;
    int32_t lineWidth = 1;
    int32_t lineColor = 0x00FFFF;
    std::string lineStyle = "实线";
    int32_t placeMode = 0;
    int32_t namePlace = 0;
    std::string kind = WorkKind::Real;
    float es = 0;
    float ls = 0;
    bool critical = false;
    std::vector<Trecsource> resources;
    std::string unit;
    std::string category;
    std::string reservedText;
    double reservedA = 0;
    double reservedB = 0;
    int32_t workNo = 0;
    double progress = -0.01;

    bool IsKind(const char* k) const { return kind == k; }
    bool IsAuxiliary() const { return kind == WorkKind::Auxiliary; }
    bool IsDummy() const { return kind == WorkKind::Dummy; }
    bool IsMilestone() const { return kind == WorkKind::Milestone; }

    // Texts exactly, start within 1e-8, every other number exactly, fonts by name and size.
    bool operator==(const Tworkdata& o) const;
};
