#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Vqbrush.h"

class Tpertgra;

// The working state of the dialog "休息日设置": a sorted list of rest days
// (00:00 of each, stored time form) and the fill of the rest-day bands.
class TTimeset {
public:
    std::vector<int32_t> days;
    int32_t screenColor = 0x808080;   // "休息日显示设置"
    int32_t printColor = 0x808080;
    int32_t fillStyle = 5;
    int32_t projectStart = 0;

    void Load(const Tpertgra& net);
    // "yyyy-mm-dd   星期x" of every day of the list.
    std::vector<std::string> Texts() const;

    // "加入" of the calendar: every picked day from the project start on
    // that is not yet in the list.
    void Add(const std::vector<int32_t>& picked);
    // "除去": the highlighted entries (indexes into the list); with none,
    // "请先选择要删除的时间！". False when nothing was removed.
    bool Remove(const std::vector<int32_t>& highlighted);
    // "全部删除".
    void RemoveAll();
    // "自动设置时间": every such weekday (0 Sunday .. 6 Saturday) of the
    // month (1..12, 0 for every month) of the year is added or removed. A
    // year that is not a number shows "输入的时间有误！" and changes nothing.
    bool AutoAdd(const std::string& yearText, int32_t month, int32_t weekday);
    bool AutoRemove(const std::string& yearText, int32_t month, int32_t weekday);

    // "确定": the rest periods become the runs of the listed days, the bands
    // take the fill, the network is marked modified.
    void Apply(Tpertgra& net) const;

private:
    bool DaysOf(const std::string& yearText, int32_t month, int32_t weekday,
                std::vector<int32_t>& out) const;
};
