#include "drawing/Scalecommands.h"

#include <algorithm>
#include <limits>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

std::optional<TDaySpan> SelectedSpan(const Tpertgra& net)
{
    if (net.selection.empty()) return std::nullopt;
    double start = std::numeric_limits<double>::infinity();
    double finish = -std::numeric_limits<double>::infinity();
    for (const Tedge* w : net.selection) {
        start = std::min(start, double(w->data->start));
        finish = std::max(finish, double(w->data->start) + double(w->data->duration));
    }
    return TDaySpan{CalendarDay(net, start), CalendarDayOfFinish(net, finish)};
}

namespace {

void SetWidth(Tpertgra& net, const TDaySpan* span, double w)
{
    if (span) net.timeScale.SetDayWidth(span->start, span->end, w);
    else net.timeScale.SetDayWidth(-1, 0, w);
}

}

bool StretchX(Tpertgra& net, double amount, const TDaySpan* span)
{
    if (net.nodes.empty()) return false;
    net.modified = true;
    const double t = ProjectEndDay(net);
    if (!(t > 0)) return false;
    const double w = span ? net.timeScale.DayWidthAt(span->end) : net.timeScale.dayWidth;
    SetWidth(net, span, w + amount / t);
    return true;
}

bool ShrinkX(Tpertgra& net, double amount, const TDaySpan* span)
{
    if (net.nodes.empty()) return false;
    net.modified = true;
    const double t = ProjectEndDay(net);
    if (!(t > 0)) return false;
    const double w = span ? net.timeScale.DayWidthAt(span->end) : net.timeScale.dayWidth;
    if (net.timeScale.dayWidth > 1) {
        const double coarse = w * t > 50 ? w - amount / t : w;
        if (coarse > 0) {
            SetWidth(net, span, coarse);
            return coarse != w;
        }
    }
    SetWidth(net, span, w * 0.9523809523809523);
    return true;
}

bool StretchY(Tpertgra& net)
{
    net.modified = true;
    int32_t& h = net.displaySettings.rowHeight;
    if (h >= 300) return false;
    ++h;
    return true;
}

bool ShrinkY(Tpertgra& net)
{
    net.modified = true;
    int32_t& h = net.displaySettings.rowHeight;
    const int32_t before = h;
    if (h > 10) --h;
    if (h > 800) h = 400;
    return h != before;
}

void SetShowRange(Tpertgra& net, int32_t a, int32_t b)
{
    Tlistdurinterval_x fresh;
    if (a < b) {
        net.showStart = a;
        net.showEnd = b;
        if (int64_t(net.projectStart) < int64_t(a) - 1)
            fresh.SetDayWidth(0, DayOfStamp(net, int64_t(a) - 1), 0);
        const double from = DayOfStamp(net, int64_t(b) + 1);
        const double to = ProjectEndDay(net);
        // Nothing to hide when the range reaches past the end of the plan.
        if (from >= 0 && from < to) fresh.SetDayWidth(from, to, 0);
    } else {
        net.showStart = net.projectStart;
        net.showEnd = net.projectStart;
    }
    net.timeScale = fresh;
}
