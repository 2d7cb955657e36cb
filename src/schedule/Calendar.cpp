#include "schedule/Calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "model/Pertgra.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

namespace {

constexpr int64_t kStampMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kStampMax = std::numeric_limits<int32_t>::max();

int32_t Clamped(int64_t s)
{
    return int32_t(std::clamp(s, kStampMin, kStampMax));
}

}

double DayOfStamp(const Tpertgra& net, int64_t s)
{
    return double(s - int64_t(net.projectStart)) / double(kSecondsPerDay);
}

double DateOfDay(const Tpertgra& net, double x)
{
    return DateTimeOfStamp(net.projectStart) + x;
}

double DayOfDate(const Tpertgra& net, double d)
{
    if (!std::isfinite(d)) return d;
    return DayOfStamp(net, SecondsOfDateTime(d));
}

double CalendarDay(const Tpertgra& net, double t)
{
    return net.restIntervals.CalendarDay(net.projectStart, t);
}

double CalendarDayOfFinish(const Tpertgra& net, double t)
{
    return net.restIntervals.CalendarDayOfFinish(net.projectStart, t);
}

double WorkingTime(const Tpertgra& net, double x)
{
    return net.restIntervals.WorkingTime(net.projectStart, x);
}

double ProjectEndDay(const Tpertgra& net)
{
    if (net.nodes.empty()) return 0;
    float last = net.nodes.front()->time;
    for (const auto& n : net.nodes) last = std::max(last, n->time);
    return CalendarDayOfFinish(net, last);
}

double StartDateOfTime(const Tpertgra& net, double t)
{
    return DateOfDay(net, CalendarDay(net, t));
}

double FinishDateOfTime(const Tpertgra& net, float t, float d)
{
    const float end = t + d;
    const double finish =
        DateOfDay(net, CalendarDayOfFinish(net, end)) - 1.0 / double(kSecondsPerDay);
    return std::max(finish, StartDateOfTime(net, t));
}

double WorkStartDate(const Tpertgra& net, const Tedge& work)
{
    return StartDateOfTime(net, work.data->start);
}

double WorkFinishDate(const Tpertgra& net, const Tedge& work)
{
    return FinishDateOfTime(net, work.data->start, work.TotalDuration());
}

std::string DateText(double d)
{
    const TCivilTime c = CivilOfStamp(SecondsOfDateTime(d));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", int(c.year), int(c.month), int(c.day));
    return text;
}

std::vector<int32_t> RestDays(const Tpertgra& net)
{
    std::vector<int32_t> days;
    for (const Ttimeintval& p : net.restIntervals.Items()) {
        if (p.start >= p.end) continue;
        for (int64_t d = DayStartOfStamp(p.start); p.end >= d + kSecondsPerDay;
             d += kSecondsPerDay) {
            // A day whose midnight lies before the stored range cannot be kept.
            if (d >= kStampMin) days.push_back(int32_t(d));
        }
    }
    // Overlapping periods would list a day twice; the dialog keeps each day once.
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

void SetRestDays(Tpertgra& net, std::vector<int32_t> dates)
{
    std::sort(dates.begin(), dates.end());
    std::vector<Ttimeintval> runs;
    bool open = false;
    int64_t first = 0;
    int64_t end = 0;
    for (int32_t date : dates) {
        const int64_t from = DayStartOfStamp(date);
        const int64_t to = from + kSecondsPerDay;
        if (open && from <= end) {
            end = std::max(end, to);
            continue;
        }
        if (open) runs.push_back(Ttimeintval{Clamped(first), Clamped(end)});
        open = true;
        first = from;
        end = to;
    }
    // The days at either end of the stored range keep what of them fits.
    if (open) runs.push_back(Ttimeintval{Clamped(first), Clamped(end)});
    net.restIntervals.Assign(std::move(runs));
    net.modified = true;
}

std::string WeekdayName(int32_t stamp)
{
    static const char* const names[7] = {"星期日", "星期一", "星期二", "星期三",
                                         "星期四", "星期五", "星期六"};
    return names[WeekdayOfStamp(stamp)];
}

std::string RestDayText(int32_t stamp)
{
    return DateText(DateTimeOfStamp(stamp)) + "   " + WeekdayName(stamp);
}

std::vector<int32_t> WeekdaysOfMonth(int32_t year, int32_t month, int32_t weekday)
{
    std::vector<int32_t> days;
    if (month < 0 || month > 12 || weekday < 0 || weekday > 6) return days;
    const int32_t from = month == 0 ? 1 : month;
    const int32_t to = month == 0 ? 12 : month;
    for (int32_t m = from; m <= to; ++m) {
        const int32_t n = DaysOfMonth(year, m);
        for (int32_t d = 1; d <= n; ++d) {
            const std::optional<int32_t> s = StampOfCivil(TCivilTime{year, m, d, 0, 0, 0});
            if (s && WeekdayOfStamp(*s) == weekday) days.push_back(*s);
        }
    }
    return days;
}
