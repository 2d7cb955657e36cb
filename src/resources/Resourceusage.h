#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Tpertgra;

// The working state of the dialog "资源用量": the work resources to pick
// from, the period and the usage texts it shows.
class Tresourceusage {
public:
    struct TRow {
        std::string number;
        std::string name;
        std::string unit;
    };
    std::vector<TRow> rows;      // 选择资源：, by number
    int32_t startDate = 0;       // 开始时间： (stored time form)
    int32_t endDate = 0;         // 结束时间：
    std::string totalText;       // 该资源总用量：
    std::string periodText;      // 该时间段资源用量：
    std::string ratioText;       // 用量比例：

    void Load(const Tpertgra& net);
    // Selecting a resource shows its total usage.
    void Select(const Tpertgra& net, int selected);
    // 计算用量: the usage from the start date's day through the end date's day.
    bool Compute(const Tpertgra& net, int selected);
};
