#pragma once
#include <cstdint>
#include <string>

class Tpertgra;

// What the dialog "工程信息" asks of a new project: the titles of the
// network and of the Gantt chart, and the start date.
class TCreatepertinf {
public:
    std::string networkTitle;   // "网络图名称："
    std::string ganttTitle;     // "横道图名称："
    int32_t start = 0;          // "开工时间：", stored time form

    void Load(const Tpertgra& net);
    // The start becomes 00:00 of its day: a project starts at the start of a day.
    void Apply(Tpertgra& net) const;
};
