#include "drawing/Scaleset.h"

#include <cstdint>

#include "drawing/Durinterval_x.h"
#include "drawing/Scalecommands.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

// The calendar day of a picked date, whole days from the project start.
double DayOfPicked(const Tpertgra& net, int32_t date)
{
    const int64_t d = DayStartOfStamp(date);
    const int64_t s = DayStartOfStamp(net.projectStart);
    return double((d - s) / kSecondsPerDay);
}

// The start of a span: the picked day, one day on when it lies after the project start.
double SpanStart(const Tpertgra& net, int32_t date)
{
    const double d = DayOfPicked(net, date);
    return d > 0 ? d + 1 : d;
}

}  // namespace

void TScaleset::Load(const Tpertgra& net)
{
    working = net.timeScale;
    saved = net.timeScale;
    if (net.showStart >= net.showEnd) {
        ShowAll(net);
    } else {
        // The stored end is the day after the last day shown.
        rangeStart = net.showStart;
        rangeEnd = static_cast<int32_t>(DayStartOfStamp(net.showEnd) - kSecondsPerDay);
    }
    openedStart_ = rangeStart;
    openedEnd_ = rangeEnd;
}

std::vector<std::pair<std::string, std::string>> TScaleset::Lines(const Tpertgra& net) const
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const Tdurinterval_x& i : working.intervals)
        lines.emplace_back(DateText(DateOfDay(net, i.startDay)), DateText(DateOfDay(net, i.endDay)));
    return lines;
}

bool TScaleset::NeedSelection(int32_t index) const
{
    if (index >= 0 && index < int32_t(working.intervals.size())) return true;
    ShowWarning("请先选择一组时间！");
    return false;
}

bool TScaleset::AddSpan(const Tpertgra& net, int32_t startDate, int32_t endDate)
{
    if (DayStartOfStamp(endDate) <= DayStartOfStamp(startDate)) {
        ShowWarning("结束时间要大于开始时间！");
        return false;
    }
    // The span takes the width its days are drawn at, so that adding it
    // changes nothing on screen and 伸长 and 压缩 start from what is seen.
    const double start = SpanStart(net, startDate);
    working.SetDayWidth(start, DayOfPicked(net, endDate), working.DayWidthAt(start));
    return true;
}

bool TScaleset::ChangeSpan(const Tpertgra& net, int32_t index, int32_t startDate,
                           int32_t endDate)
{
    if (!NeedSelection(index)) return false;
    if (DayStartOfStamp(endDate) <= DayStartOfStamp(startDate)) {
        ShowWarning("结束时间要大于开始时间！");
        return false;
    }
    // The span keeps the width it was stretched or squeezed to.
    const double width = working.intervals[size_t(index)].width;
    working.intervals.erase(working.intervals.begin() + index);
    working.SetDayWidth(SpanStart(net, startDate), DayOfPicked(net, endDate) + 1, width);
    return true;
}

bool TScaleset::DeleteSpan(int32_t index)
{
    if (!NeedSelection(index)) return false;
    working.intervals.erase(working.intervals.begin() + index);
    return true;
}

bool TScaleset::StretchSpan(Tpertgra& net, int32_t index)
{
    if (!NeedSelection(index)) return false;
    const Tdurinterval_x& i = working.intervals[size_t(index)];
    const TDaySpan span{i.startDay, i.endDay};
    net.timeScale = working;
    StretchX(net, 50, &span);
    working = net.timeScale;
    return true;
}

bool TScaleset::ShrinkSpan(Tpertgra& net, int32_t index)
{
    if (!NeedSelection(index)) return false;
    const Tdurinterval_x& i = working.intervals[size_t(index)];
    const TDaySpan span{i.startDay, i.endDay};
    net.timeScale = working;
    ShrinkX(net, 50, &span);
    working = net.timeScale;
    return true;
}

void TScaleset::ShowAll(const Tpertgra& net)
{
    rangeStart = net.projectStart;
    rangeEnd = static_cast<int32_t>(DayStartOfStamp(net.projectStart) - kSecondsPerDay);
}

void TScaleset::Apply(Tpertgra& net) const
{
    net.timeScale = working;
    net.modified = true;
    // A new display range builds a fresh scale; the spans set here would be
    // lost by an unchanged range, so that one is left alone.
    if (DayStartOfStamp(rangeStart) == DayStartOfStamp(openedStart_) &&
        DayStartOfStamp(rangeEnd) == DayStartOfStamp(openedEnd_))
        return;
    const int64_t end = DayStartOfStamp(rangeEnd) + kSecondsPerDay;
    SetShowRange(net, static_cast<int32_t>(DayStartOfStamp(rangeStart)),
                 end > INT32_MAX ? INT32_MAX : static_cast<int32_t>(end));
}

void TScaleset::Cancel(Tpertgra& net) const
{
    net.timeScale = saved;
}
