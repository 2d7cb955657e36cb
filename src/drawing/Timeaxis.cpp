#include "drawing/Timeaxis.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "drawing/Displace.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

namespace {
constexpr double kSameDay = 1e-8;
constexpr double kSameX = 1e-9;
// A tenth of a second, in days.
constexpr double kTenthSecond = 1.1574074074074074e-6;
}

double X0(const Tpertgra& net)
{
    // The logic network has no group column and no ruler names beside it.
    if (!net.showFrame || ViewKind(net) == 2) return net.groups.origin.x;
    return net.groups.origin.x + net.groups.groupColumnWidth + net.grid->scales[0].nameWidth;
}

double Y0(const Tpertgra& net)
{
    if (!net.showFrame) return net.groups.origin.y;
    return net.groups.origin.y + net.grid->TopRowsHeight() + net.grid->topMargin;
}

double RowHeight(const Tpertgra& net)
{
    return net.displaySettings.rowHeight;
}

TTimeAxis::TTimeAxis(const Tpertgra& net) : x0_(::X0(net)), net_(&net), scale_(&net.timeScale)
{
    table_.reserve(net.displacements.size());
    for (const auto& d : net.displacements)
        table_.push_back(TAxisShift{CalendarDay(net, d->day), d->shift, d->firstShift});
    Index();
}

TTimeAxis::TTimeAxis(double x0, const Tlistdurinterval_x& scale, std::vector<TAxisShift> entries)
    : x0_(x0), scale_(&scale), table_(std::move(entries))
{
    Index();
}

void TTimeAxis::Index()
{
    std::vector<size_t> order(table_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return table_[a].day < table_[b].day; });
    days_.resize(order.size());
    shiftPrefix_.assign(order.size() + 1, 0);
    firstPrefix_.assign(order.size() + 1, 0);
    for (size_t i = 0; i < order.size(); ++i) {
        const TAxisShift& e = table_[order[i]];
        days_[i] = e.day;
        shiftPrefix_[i + 1] = shiftPrefix_[i] + e.shift;
        firstPrefix_[i + 1] = firstPrefix_[i] + e.firstShift;
    }
}

int64_t TTimeAxis::ShiftAt(double day, TShiftCount count) const
{
    if (days_.empty()) return 0;
    // Entries at most day - 1e-8 lie strictly before; those below day + 1e-8
    // lie before or at it; the ones in between are at the day.
    const size_t before =
        size_t(std::upper_bound(days_.begin(), days_.end(), day - kSameDay) - days_.begin());
    switch (count) {
    case TShiftCount::Before: return shiftPrefix_[before];
    case TShiftCount::Ruler: {
        const size_t at =
            size_t(std::lower_bound(days_.begin(), days_.end(), day + kSameDay) - days_.begin());
        return shiftPrefix_[before] + (firstPrefix_[std::max(at, before)] - firstPrefix_[before]);
    }
    case TShiftCount::AtOrBefore: {
        const size_t at =
            size_t(std::lower_bound(days_.begin(), days_.end(), day + kSameDay) - days_.begin());
        return shiftPrefix_[std::max(at, before)];
    }
    }
    return 0;
}

double TTimeAxis::XOfTime(double day, TShiftCount count) const
{
    return x0_ + scale_->XOfDay(day) + double(ShiftAt(day, count));
}

double TTimeAxis::XOfWorkTime(double t, TShiftCount count) const
{
    return XOfTime(net_ ? CalendarDay(*net_, t) : t, count);
}

double TTimeAxis::ProjectEndX() const
{
    if (!net_ || net_->nodes.empty()) return XOfTime(0, TShiftCount::AtOrBefore);
    float last = net_->nodes.front()->time;
    for (const auto& v : net_->nodes) last = std::max(last, v->time);
    // The end day is the last node time taken as a finish, but the room a
    // displacement opened for that node is entered at its time taken as a
    // start; where a rest period begins right at the end the two differ, and
    // the end line would miss the end node by its displacement.
    const double end = CalendarDayOfFinish(*net_, last);
    const double entered = std::max(end, CalendarDay(*net_, last));
    return x0_ + scale_->XOfDay(end) + double(ShiftAt(entered, TShiftCount::AtOrBefore));
}

TDayAtX TTimeAxis::DayAtX(double x) const
{
    if (x <= x0_) return TDayAtX{0, x - x0_};
    double c = 0;
    for (const TAxisShift& entry : table_) {
        const double d = entry.day;
        const double g = XOfTime(d, TShiftCount::Before);
        const double f = XOfTime(d, TShiftCount::Ruler);
        const double e = XOfTime(d, TShiftCount::AtOrBefore);
        if (g < x && x < f) return TDayAtX{d - kTenthSecond, 0};
        if (std::fabs(x - e) < kSameX || std::fabs(x - f) < kSameX || (f < x && x < e))
            return TDayAtX{d, x - g};
        if (e < x && d > c) c = d;
    }
    // Right of the last room opened before x: the distance from that day's
    // position is read off the time scale from that day on. (Reading both
    // positions as widths from day 0, X0 included, goes wrong as soon as a
    // span of another width lies before x.)
    const double ec = XOfTime(c, TShiftCount::AtOrBefore);
    return TDayAtX{scale_->DayOfX(scale_->XOfDay(c) + (x - ec)), 0};
}
