#include "drawing/Timeset.h"

#include <algorithm>

#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

void TTimeset::Load(const Tpertgra& net)
{
    days = RestDays(net);
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    screenColor = net.grid->screenRestBrush.color;
    printColor = net.grid->printRestBrush.color;
    fillStyle = net.grid->screenRestBrush.style;
    projectStart = net.projectStart;
}

std::vector<std::string> TTimeset::Texts() const
{
    std::vector<std::string> t;
    t.reserve(days.size());
    for (int32_t d : days) t.push_back(RestDayText(d));
    return t;
}

void TTimeset::Add(const std::vector<int32_t>& picked)
{
    const int64_t first = DayStartOfStamp(projectStart);
    for (int32_t p : picked) {
        const int64_t d = DayStartOfStamp(p);
        if (d < first) continue;
        const auto it = std::lower_bound(days.begin(), days.end(), d);
        if (it == days.end() || *it != d) days.insert(it, static_cast<int32_t>(d));
    }
}

bool TTimeset::Remove(const std::vector<int32_t>& highlighted)
{
    if (highlighted.empty()) {
        ShowWarning("请先选择要删除的时间！");
        return false;
    }
    std::vector<int32_t> idx = highlighted;
    std::sort(idx.begin(), idx.end());
    idx.erase(std::unique(idx.begin(), idx.end()), idx.end());
    for (auto it = idx.rbegin(); it != idx.rend(); ++it)
        if (*it >= 0 && *it < int32_t(days.size())) days.erase(days.begin() + *it);
    return true;
}

void TTimeset::RemoveAll()
{
    days.clear();
}

bool TTimeset::DaysOf(const std::string& yearText, int32_t month, int32_t weekday,
                      std::vector<int32_t>& out) const
{
    const bool digits = !yearText.empty() && yearText.size() <= 5 &&
                        std::all_of(yearText.begin(), yearText.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        ShowWarning("输入的时间有误！");
        return false;
    }
    out = WeekdaysOfMonth(std::stoi(yearText), month, weekday);
    return true;
}

bool TTimeset::AutoAdd(const std::string& yearText, int32_t month, int32_t weekday)
{
    std::vector<int32_t> found;
    if (!DaysOf(yearText, month, weekday, found)) return false;
    for (int32_t d : found) {
        const auto it = std::lower_bound(days.begin(), days.end(), d);
        if (it == days.end() || *it != d) days.insert(it, d);
    }
    return true;
}

bool TTimeset::AutoRemove(const std::string& yearText, int32_t month, int32_t weekday)
{
    std::vector<int32_t> found;
    if (!DaysOf(yearText, month, weekday, found)) return false;
    std::vector<int32_t> kept;
    std::set_difference(days.begin(), days.end(), found.begin(), found.end(),
                        std::back_inserter(kept));
    days = std::move(kept);
    return true;
}

void TTimeset::Apply(Tpertgra& net) const
{
    SetRestDays(net, days);
    net.grid->screenRestBrush = TVqBrush(fillStyle, screenColor);
    net.grid->printRestBrush = TVqBrush(fillStyle, printColor);
    net.modified = true;
}
