#include "resources/Resourcediagram.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"
#include "schedule/Perttime_out.h"

namespace {

// More days than any plan has; a damaged file's end day is clipped to it.
constexpr double kMaxDiagramDays = 200000;
// Device coordinates stay far inside int32.
constexpr double kCoordLimit = 1e9;

int32_t T(double v)
{
    if (!(v == v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

double Amount(float a)
{
    return std::isfinite(a) ? double(a) : 0.0;
}

// Working days [d0, d1) of a work, bounded to [0, limit].
void WorkDays(const Tworkdata& d, int64_t limit, int64_t& d0, int64_t& d1)
{
    auto day = [&](double t) -> int64_t {
        if (!(t == t)) return 0;
        return int64_t(std::clamp(std::trunc(t), 0.0, double(limit)));
    };
    d0 = day(double(d.start));
    d1 = day(double(d.start) + double(d.duration));
}

// The calendar day of each working day 0, 1, ... that still lies before
// day `days`; without rest periods working and calendar days coincide.
std::vector<int64_t> CalendarOfWorkingDays(const Tpertgra& net, size_t days)
{
    std::vector<int64_t> cal;
    cal.reserve(days);
    const bool rest = net.restIntervals.Count() > 0;
    for (size_t w = 0; w < days; ++w) {
        const int64_t c = rest ? int64_t(std::trunc(CalendarDay(net, double(w)))) : int64_t(w);
        if (c < 0 || c >= int64_t(days)) break;
        cal.push_back(c);
    }
    return cal;
}

void TakeLook(TResourceProfile& p, const Trecsource& r)
{
    p.found = true;
    p.name = r.name;
    p.unit = r.unit;
    p.drawMode = r.drawMode;
}

template <typename F>
void ForEachLine(const Tpertgra& net, F f)
{
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            for (const Trecsource& r : w->data->resources) f(*w->data, r);
}

}  // namespace

void TResourceProfile::Reset(const std::string& n, size_t days)
{
    number = n;
    level.assign(days, 0.0);
    present.assign(days, 0);
    found = false;
    name.clear();
    unit.clear();
    drawMode = 0;
}

size_t DiagramDays(const Tpertgra& net)
{
    const double end = ProjectEndDay(net);
    if (!(end > 0)) return 0;
    return size_t(std::min(std::trunc(end), kMaxDiagramDays));
}

void BuildWorkProfile(const Tpertgra& net, TResourceProfile& profile, const std::string& number)
{
    // Day by day, as the diagram reads: every line adds to each of its days.
    const size_t days = DiagramDays(net);
    profile.Reset(number, days);
    const std::vector<int64_t> cal = CalendarOfWorkingDays(net, days);
    std::vector<float> sum(days, 0.0f);
    int64_t firstDay = -1;
    ForEachLine(net, [&](const Tworkdata& d, const Trecsource& r) {
        if (r.number != number) return;
        int64_t d0 = 0, d1 = 0;
        WorkDays(d, int64_t(cal.size()), d0, d1);
        for (int64_t w = d0; w < d1; ++w) {
            const int64_t c = cal[size_t(w)];
            sum[size_t(c)] += float(Amount(r.dailyAmount));
            profile.present[size_t(c)] = 1;
            if (firstDay < 0 || c <= firstDay) {
                firstDay = c;
                TakeLook(profile, r);
            }
        }
    });
    for (size_t c = 0; c < days; ++c) profile.level[c] = sum[c];
}

std::vector<TResourceProfile> BuildWorkProfiles(const Tpertgra& net,
                                                const std::vector<std::string>& numbers)
{
    const size_t days = DiagramDays(net);
    const std::vector<int64_t> cal = CalendarOfWorkingDays(net, days);
    const size_t wn = cal.size();
    std::unordered_map<std::string, size_t> index;
    std::vector<TResourceProfile> out(numbers.size());
    std::vector<std::vector<double>> diff(numbers.size());
    std::vector<std::vector<int32_t>> count(numbers.size());
    std::vector<int64_t> firstDay(numbers.size(), -1);
    for (size_t i = 0; i < numbers.size(); ++i) {
        out[i].Reset(numbers[i], days);
        index.emplace(numbers[i], i);
    }
    ForEachLine(net, [&](const Tworkdata& d, const Trecsource& r) {
        const auto it = index.find(r.number);
        if (it == index.end()) return;
        int64_t d0 = 0, d1 = 0;
        WorkDays(d, int64_t(wn), d0, d1);
        if (d0 >= d1) return;
        const size_t i = it->second;
        if (diff[i].empty()) {
            diff[i].assign(wn + 1, 0.0);
            count[i].assign(wn + 1, 0);
        }
        const double a = Amount(r.dailyAmount);
        diff[i][size_t(d0)] += a;
        diff[i][size_t(d1)] -= a;
        ++count[i][size_t(d0)];
        --count[i][size_t(d1)];
        // The first day's entry is the last line walked that covers it.
        if (firstDay[i] < 0 || d0 <= firstDay[i]) {
            firstDay[i] = d0;
            TakeLook(out[i], r);
        }
    });
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (diff[i].empty()) continue;
        double level = 0;
        int64_t n = 0;
        for (size_t w = 0; w < wn; ++w) {
            level += diff[i][w];
            n += count[i][w];
            if (n > 0) {
                out[i].level[size_t(cal[w])] = level;
                out[i].present[size_t(cal[w])] = 1;
            }
        }
    }
    return out;
}

void BuildCustomProfile(const Tpertgra& net, TResourceProfile& profile, const std::string& number)
{
    const size_t days = DiagramDays(net);
    profile.Reset(number, days);
    // Usages stored past the plan's end stay stored but are not drawn.
    const size_t n = std::min(days, net.customResourceDays.size());
    for (size_t d = 0; d < n; ++d)
        for (const Trecsource* e = net.customResourceDays[d].get(); e; e = e->next.get()) {
            if (e->number != number) continue;
            if (!profile.found) TakeLook(profile, *e);
            profile.level[d] = Amount(e->dailyAmount);
            profile.present[d] = 1;
            break;
        }
}

std::vector<TResourceProfile> DiagramProfiles(const Tpertgra& net,
                                              const std::vector<std::string>& numbers)
{
    std::vector<TResourceProfile> out = BuildWorkProfiles(net, numbers);
    for (TResourceProfile& p : out)
        if (!p.found) BuildCustomProfile(net, p, p.number);
    return out;
}

TResourceSummary Summarize(const TResourceProfile& p)
{
    TResourceSummary s;
    s.number = p.number;
    s.name = p.name;
    s.unit = p.unit;
    for (size_t d = 0; d < p.level.size(); ++d) {
        if (!p.present[d]) continue;
        s.total += p.level[d];
        if (s.peakDay < 0 || p.level[d] > s.peak) {
            s.peak = p.level[d];
            s.peakDay = int64_t(d);
        }
    }
    return s;
}

TDiagramMetrics TDiagramMetrics::Of(const Tpertgra& net)
{
    const TDisplaySettings& ds = net.displaySettings;
    TDiagramMetrics m;
    m.height = std::clamp(ds.resourceHeight, 1, 100000);
    m.headRoom = std::clamp(ds.reserved104, 0, m.height - 1);
    m.divisions = std::clamp(ds.resourceScaleCount, 1, 100);
    m.penWidth = std::clamp(ds.reserved88, 0, 100);
    return m;
}

TDiagramPlace NetworkDiagramPlace(const Tpertgra& net, const TPertDrawMode& mode)
{
    const TTimeAxis axis(net);
    const TFrameLayout f = TFrameLayout::Of(net, axis, mode.xFactor, mode.yFactor);
    TDiagramPlace p;
    p.x0 = f.x0 * mode.xFactor;
    if (f.viewKind == 3) {
        p.top = f.y0 * mode.yFactor;
        p.separator = false;
    } else {
        p.top = (f.networkBottom + net.grid->bottomMargin) * mode.yFactor;
    }
    p.separatorLeft = net.groups.origin.x * mode.xFactor;
    p.frameWidth = net.grid->frameWidth;
    p.frameColor = net.grid->frameColor;
    p.xOfDay = [axis](double day) { return axis.XOfTime(day, TShiftCount::AtOrBefore); };
    return p;
}

void DrawResourceDiagrams(Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place)
{
    if (!mode.canvas || net.shownResources.empty() || !place.xOfDay) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    const double sx = mode.xFactor;
    const double s = mode.yFactor;
    if (place.separator) {
        SelectPen(c, place.frameColor, T(place.frameWidth * s) / 2);
        const int32_t y = T(place.top);
        c.Line(T(place.separatorLeft), y, T(place.xOfDay(ProjectEndDay(net)) * sx), y);
    }
    const TDiagramMetrics m = TDiagramMetrics::Of(net);
    double y = place.top;
    // Work and custom numbers never coincide: each diagram shows one of them.
    for (const TResourceProfile& p : DiagramProfiles(net, net.shownResources)) {
        DrawDiagram(net, mode, place, p, y);
        y += s * m.height;
    }
}

void DrawDiagram(const Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place,
                 const TResourceProfile& profile, double y0)
{
    if (!mode.canvas) return;
    ICanvas& c = *mode.canvas;
    const size_t days = profile.level.size();
    double M = 0;
    for (size_t d = 0; d < days; ++d)
        if (profile.present[d]) M = std::max(M, profile.level[d]);
    if (!(M > 0)) return;

    TCanvasStateSaver keep(c);
    const TDiagramMetrics m = TDiagramMetrics::Of(net);
    const double sx = mode.xFactor;
    const double s = mode.yFactor;
    const double k = (s * m.height - s * m.headRoom) / M;
    const double yb = s * m.height + y0;
    const int32_t penWidth = T(m.penWidth * sx);
    const int32_t lineColor = net.displaySettings.Palette(4);
    SelectPen(c, lineColor, penWidth);

    const TVqBrush& shown =
        IsPrintKind(mode.DrawKind) ? net.resourcePrintBrush : net.resourceScreenBrush;
    const TCanvasBrush fill{shown.color, TBrushStyle(std::clamp(net.resourceScreenBrush.style, 0, 7))};

    // The line and the histogram need only the days on the canvas; the
    // curve's points come from the level changes of every day.
    const int32_t mode_ = profile.drawMode;
    size_t first = 0, last = days;
    if (mode_ != 2 && days > 0) {
        const TCanvasRect vis = c.ClipBox();
        auto xd = [&](size_t d) { return place.xOfDay(double(d)) * sx; };
        // The first day whose right end reaches the canvas, the first past it.
        auto firstWhere = [&](size_t lo, auto pred) {
            size_t hi = days;
            while (lo < hi) {
                const size_t mid = lo + (hi - lo) / 2;
                if (pred(mid)) hi = mid;
                else lo = mid + 1;
            }
            return lo;
        };
        first = firstWhere(0, [&](size_t d) { return xd(d + 1) >= vis.left; });
        last = firstWhere(first, [&](size_t d) { return xd(d) > vis.right; });
    }
    auto levelY = [&](size_t d) { return profile.present[d] ? yb - k * profile.level[d] : yb; };
    TCanvasPoint P{T(first == 0 ? place.x0 : place.xOfDay(double(first)) * sx),
                   T(first == 0 ? yb : levelY(first - 1))};
    std::vector<TCanvasPoint> curve{P};
    const int32_t base = T(yb);
    for (size_t d = first; d < last; ++d) {
        const int32_t xa = T(place.xOfDay(double(d)) * sx);
        const int32_t xb = T(place.xOfDay(double(d + 1)) * sx);
        if (profile.present[d]) {
            const int32_t ly = T(yb - k * profile.level[d]);
            if (P.y != ly) {
                curve.push_back(P);
                curve.push_back({xa, ly});
            }
            if (d + 1 == days) curve.push_back({xb, ly});
            if (mode_ == 0) {
                c.Line(P.x, P.y, xa, ly);
                c.Line(xa, ly, xb, ly);
            } else if (mode_ == 1) {
                c.SetBrush(fill);
                c.FillRect({xa, ly, xb - 2 * penWidth, base});
                SelectClearBrush(c);
            }
            P = {xb, ly};
        } else {
            if (!(P.x == xa && P.y == base) && P.y != base) {
                curve.push_back(P);
                curve.push_back({xa, base});
            }
            if (mode_ == 0) c.Line(P.x, P.y, xa, base);
            P = {xb, base};
        }
    }
    if (mode_ == 2 && curve.size() >= 3) {
        const size_t n = curve.size();
        if (n != 4) curve.resize(n - ((n - 1) % 3) + 3, curve.back());
        c.PolyBezier(curve);
    }
    std::string title = profile.name;
    if (!profile.unit.empty()) title += "(" + profile.unit + ")";
    DrawDiagramAxes(net, mode, place, y0, M, title + "-分布曲线");
}

void DrawDiagramAxes(const Tpertgra& net, TPertDrawMode& mode, const TDiagramPlace& place,
                     double y0, double maximum, const std::string& title)
{
    if (!mode.canvas || !(maximum > 0)) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    const TDiagramMetrics m = TDiagramMetrics::Of(net);
    const double sx = mode.xFactor;
    const double s = mode.yFactor;
    const double k = (s * m.height - s * m.headRoom) / maximum;
    const double yb = s * m.height + y0;
    const double step = maximum / m.divisions;
    const int32_t x0 = T(place.x0);
    const int32_t xEnd = T(place.xOfDay(ProjectEndDay(net)) * sx);
    const int32_t t = T(s * 5 * m.penWidth);
    const int32_t lineColor = net.displaySettings.Palette(4);
    const Tprojectscale& band = net.grid->scales[0];
    const int32_t w = std::max(1, T(s * m.penWidth));
    SelectFont(c, band.scaleFont);
    for (int32_t i = 1; i <= m.divisions; ++i) {
        const int32_t yi = T(yb - i * step * k);
        SelectPen(c, lineColor, T(s * m.penWidth));
        c.Line(x0, yi, x0 - t, yi);
        // Dashes as long as the pen is wide, gaps three times that; a wide
        // pen is that many one-unit lines stacked around yi.
        for (int32_t j = 0; j < w; ++j) {
            TCanvasPen pen;
            pen.color = band.lineColor;
            pen.width = 1;
            pen.style = TPenStyle::Custom;
            pen.dash = w;
            pen.gap = 3 * w;
            c.SetPen(pen);
            const int32_t y = yi - w / 2 + j;
            c.Line(x0, y, xEnd, y);
        }
        const std::string label = GeneralNumberText(i * step);
        const TCanvasSize e = c.TextExtent(label);
        c.TextOut(x0 - t - e.cx, yi - e.cy / 2, label);
    }
    SelectFont(c, band.nameFont);
    const TCanvasSize e = c.TextExtent(title);
    c.TextOut(T(place.x0 + t), T(y0 + s * m.headRoom - e.cy - t), title);
    SelectPen(c, lineColor, T(s * m.penWidth));
    c.Line(x0, T(y0), x0, T(yb));
    c.Line(x0, T(yb), xEnd, T(yb));
    c.Line(xEnd, T(y0), xEnd, T(yb));
}
