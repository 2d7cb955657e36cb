#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Tpertgra;

// The working state of the page "资源图设置": the custom and the work
// resources a plan has, the diagrams to draw and how, the histogram fills
// and the diagram sizes. Filled from the network; written back on "确定".
class Tresourcepage {
public:
    struct TRow {
        std::string number;
        std::string name;   // 资源名称及规格
        std::string mode;   // 显示方式: "画直线", "画直方图", "画曲线"
        std::string unit;
        bool operator==(const TRow&) const = default;
    };

    std::vector<TRow> custom;   // 自定义资源：, by number
    std::vector<TRow> work;     // 工作使用的资源：, by number
    std::vector<TRow> shown;    // 所要显示的资源图：, in drawing order
    std::vector<std::string> deleted;   // 彻底删除, done on 确定
    int32_t screenFill = 0;     // 显示填充色
    int32_t printFill = 0;      // 打印填充色
    int32_t fillStyle = 0;      // 填充样式 (both outputs)
    int32_t height = 120;       // 资源图高度
    int32_t divisions = 4;      // 资源图刻度数
    bool inNetwork = true;      // 网络图里含资源图

    static constexpr const char* kModes[3] = {"画直线", "画直方图", "画曲线"};

    void Load(const Tpertgra& net);
    // 加入: the custom list's selection, else the work list's (-1 = none).
    bool Add(int customSelected, int workSelected);
    // 除去
    void Remove(int shownSelected);
    // 彻底删除 of the custom list's selection, after the question.
    bool Purge(int customSelected);
    // 显示方式 of the selected shown row.
    void SetMode(int shownSelected, const std::string& mode);
    // Writes the page into the network; true when anything changed (a
    // changed draw mode included, which the network's comparison ignores).
    bool Apply(Tpertgra& net) const;

    bool operator==(const Tresourcepage&) const = default;
};
