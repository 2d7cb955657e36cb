#include "drawing/Rulerpainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/Canvasops.h"
#include "drawing/Tpertgrid.h"
#include "platform/Canvas.h"
#include "schedule/Vqtime.h"

namespace {

constexpr double kSame = 1e-9;
// Steps beyond this have nothing left to label.
constexpr int64_t kStepLimit = int64_t(1) << 30;

// Smallest j >= 1 with j x unit > limit, or 0 when unit is not positive or
// j would be absurdly large. Computed, not searched, then corrected by the
// exact comparison so that rounding cannot give a neighbour.
int64_t SmallestAbove(double unit, double limit)
{
    if (!(unit > 0)) return 0;
    if (limit < unit) return 1;
    const double guess = std::floor(limit / unit) + 1;
    if (!(guess < double(kStepLimit))) return 0;
    int64_t j = std::max<int64_t>(1, int64_t(guess));
    while (j > 1 && double(j - 1) * unit > limit) --j;
    while (!(double(j) * unit > limit)) {
        ++j;
        if (j >= kStepLimit) return 0;
    }
    return j;
}

TCivilTime DateOfDay(int32_t projectStart, int64_t day)
{
    return CivilOfStamp(int64_t(projectStart) + day * kSecondsPerDay);
}

}

struct TRulerPainter::TBand {
    double top = 0;
    double height = 0;      // device units
    double bottom = 0;
    int32_t start = 0;      // x where the day part of the row begins
    int32_t right = 0;
    double tickLength = 0;  // (height div 3) x yf
    int32_t tickPen = 0;
};

TRulerPainter::TRulerPainter(const TRulerSetup& setup) : setup_(setup) {}

int32_t TRulerPainter::ProjectDayStep(double dayWidth, int32_t minLabelSpacing)
{
    if (!(dayWidth > 0)) return 0;
    for (int32_t s : {1, 2, 5})
        if (s * dayWidth > minLabelSpacing) return s;
    const int64_t j = SmallestAbove(10 * dayWidth, minLabelSpacing);
    return j > 0 ? int32_t(10 * j) : 0;
}

int32_t TRulerPainter::NaturalDayStep(double deviceDayWidth, double need, float dayStep)
{
    int64_t m = SmallestAbove(deviceDayWidth, need);
    if (m == 0) return 0;
    m = std::max<int64_t>(m, int64_t(std::ceil(double(dayStep))));
    if (m > 13) return 15;
    if (m >= 10) return 10;
    return int32_t(m);
}

int32_t TRulerPainter::PeriodStep(int32_t m, double dayWidth)
{
    const int64_t j = SmallestAbove(m * dayWidth, 18);
    return j > 0 && j * m < kStepLimit ? int32_t(j * m) : 0;
}

int32_t TRulerPainter::NarrowDays(double dayWidth)
{
    const int64_t n = SmallestAbove(dayWidth, 18);
    return n > 0 ? int32_t(n) : std::numeric_limits<int32_t>::max();
}

int32_t TRulerPainter::X(double day) const
{
    return static_cast<int32_t>(setup_.xf * setup_.axis->XOfDay(day));
}

int32_t TRulerPainter::LastDay() const
{
    const double end = std::min(setup_.endDay, kMaxDays);
    return end > 0 ? static_cast<int32_t>(std::floor(end + kSame)) : 0;
}

TRulerKind TRulerPainter::DayRowMode(const Tprojectscale& row) const
{
    ICanvas& c = *setup_.canvas;
    SelectFont(c, row.scaleFont);
    const double need = c.TextExtent("30").cx + setup_.yf * row.tickWidth;
    // The mode follows the first day that is drawn at all: with the start of
    // the plan hidden by the display range, day 0 has no width to judge by.
    int32_t step = 0;
    for (int32_t d = 0, last = LastDay(); d <= last && step == 0; ++d)
        step = NaturalDayStep(DeviceDayWidth(d), need, setup_.dayStep);
    if (step > 10) return TRulerKind::HalfMonth;
    if (step == 10) return TRulerKind::TenDays;
    return TRulerKind::Day;
}

void TRulerPainter::Draw(TRulerKind kind, Tprojectscale& row, const TRulerBand& band)
{
    ICanvas& c = *setup_.canvas;
    TCanvasStateSaver keep(c);
    TBand b;
    b.top = band.top;
    b.height = setup_.yf * row.height;
    b.bottom = b.top + b.height;
    b.right = static_cast<int32_t>(band.right);
    b.tickLength = (row.height / 3) * setup_.yf;
    b.tickPen = static_cast<int32_t>(setup_.yf * row.tickWidth);
    const double nameWidth = setup_.xf * row.nameWidth;
    const bool nameCell = band.nameCell && nameWidth > 1;
    b.start = static_cast<int32_t>(band.left + (band.nameCell ? nameWidth : 0));

    std::string name = row.name;
    TRulerKind drawn = kind;
    if (kind == TRulerKind::Day) {
        drawn = DayRowMode(row);
        if (drawn == TRulerKind::TenDays && NarrowDays(setup_.axis->DefaultDayWidth()) > 13)
            drawn = TRulerKind::HalfMonth;
        name = drawn == TRulerKind::Day ? "日" : drawn == TRulerKind::TenDays ? "旬" : "半月";
    } else if (kind == TRulerKind::TenDays) {
        name = "旬";
        if (NarrowDays(setup_.axis->DefaultDayWidth()) > 13) drawn = TRulerKind::HalfMonth;
    } else if (kind == TRulerKind::HalfMonth) {
        name = "半月";
    }
    if (drawn == TRulerKind::HalfMonth && NarrowDays(setup_.axis->DefaultDayWidth()) > 25)
        name = "  ";
    if (kind == TRulerKind::Day) row.name = name;

    // Row border and name cell.
    SelectPen(c, row.lineColor, static_cast<int32_t>(setup_.yf * row.borderWidth));
    const int32_t top = static_cast<int32_t>(b.top);
    const int32_t bottom = static_cast<int32_t>(b.bottom);
    const int32_t from = static_cast<int32_t>(nameCell ? band.left : b.start);
    if (band.upperEdge) c.Line(from, top, b.right, top);
    if (band.lowerEdge) c.Line(from, bottom, b.right, bottom);
    c.Line(b.start, top, b.start, bottom);
    c.Line(b.right, top, b.right, bottom);
    if (nameCell) {
        const int32_t left = static_cast<int32_t>(band.left);
        c.Line(left, top, left, bottom);
        SelectFont(c, row.nameFont);
        c.SetTextBackground(false, 0);
        const TCanvasSize ext = c.TextExtent(name);
        const int32_t inset = b.tickPen;
        const TCanvasRect cell{left + inset, top + inset, b.start - inset, bottom - inset};
        const int32_t x = left + (b.start - left - ext.cx) / 2;
        const int32_t y = top + (bottom - top - ext.cy) / 2;
        if (!cell.IsEmpty()) c.TextRect(cell, x, y, name);
    }

    SelectFont(c, row.scaleFont);
    c.SetTextBackground(false, 0);
    SelectTickPen(row);
    switch (drawn) {
    case TRulerKind::ProjectDay: DrawProjectDays(row, b); break;
    case TRulerKind::Day: DrawDays(row, b); break;
    case TRulerKind::TenDays: DrawPeriodsOfMonth(row, b, true); break;
    case TRulerKind::HalfMonth:
        if (NarrowDays(setup_.axis->DefaultDayWidth()) <= 25) DrawPeriodsOfMonth(row, b, false);
        break;
    case TRulerKind::Month: DrawMonths(row, b); break;
    case TRulerKind::Year: DrawYears(row, b); break;
    case TRulerKind::ProjectWeek: DrawProjectPeriods(row, b, 7); break;
    case TRulerKind::ProjectMonth: DrawProjectPeriods(row, b, 30); break;
    case TRulerKind::Weekday: DrawWeekdays(row, b); break;
    }
}

void TRulerPainter::SelectTickPen(const Tprojectscale& row)
{
    SelectPen(*setup_.canvas, row.lineColor, static_cast<int32_t>(setup_.yf * row.tickWidth));
}

void TRulerPainter::FullTick(const TBand& b, int32_t x)
{
    setup_.canvas->Line(x, static_cast<int32_t>(b.top), x, static_cast<int32_t>(b.bottom));
}

void TRulerPainter::Tick(const TBand& b, int32_t x, double length)
{
    const int32_t top = static_cast<int32_t>(b.top);
    const int32_t low = static_cast<int32_t>(b.bottom - b.tickPen);
    const int32_t l = static_cast<int32_t>(length);
    setup_.canvas->Line(x, top, x, top + l);
    setup_.canvas->Line(x, low, x, low - l);
}

void TRulerPainter::Grid(const Tprojectscale& row, int32_t x)
{
    if (!row.gridLines) return;
    ICanvas& c = *setup_.canvas;
    TCanvasStateSaver keep(c);
    const int32_t g = std::max(1, static_cast<int32_t>(setup_.xf * row.gridWidth));
    // A wide grid pen is drawn as g one-unit dashed lines side by side, so
    // the dashes stay g long whatever the surface does with wide dashes.
    SelectPen(c, row.gridColor, 1);
    const int32_t y1 = static_cast<int32_t>(setup_.gridTop);
    const int32_t y2 = static_cast<int32_t>(setup_.gridBottom);
    for (int32_t k = 0; k < g; ++k) DrawDashedVLine(c, x - g / 2 + k, y1, y2, g, 3 * g);
}

void TRulerPainter::LabelBetween(const TBand& b, int32_t x1, int32_t x2, const std::string& text)
{
    ICanvas& c = *setup_.canvas;
    const TCanvasSize ext = c.TextExtent(text);
    const int32_t x = (x1 + x2) / 2 - ext.cx / 2;
    const int32_t y = static_cast<int32_t>(b.top + (b.height - ext.cy) / 2);
    c.TextOut(x, y, text);
}

void TRulerPainter::LabelAt(const TBand& b, int32_t x, const std::string& text)
{
    ICanvas& c = *setup_.canvas;
    const TCanvasSize ext = c.TextExtent(text);
    c.TextOut(x, static_cast<int32_t>(b.top + (b.height - ext.cy) / 2), text);
}

void TRulerPainter::DrawProjectDays(const Tprojectscale& row, const TBand& b)
{
    ICanvas& c = *setup_.canvas;
    const IRulerAxis& axis = *setup_.axis;
    const double end = setup_.endDay;
    const double l = b.tickLength;
    const int32_t zeroWidth = c.TextExtent("0").cx;
    const int32_t sub = row.subTickSpacing;
    int32_t last = 0;
    for (int32_t d = 0, lastDay = LastDay(); d <= lastDay; ++d) {
        const double width = axis.DayWidthAt(d);
        if (d == 0) {
            if (width > 0 || axis.XOfDay(1) > axis.XOfDay(0)) LabelAt(b, X(0) + 1, "0");
        } else {
            const int32_t s = ProjectDayStep(width, row.minLabelSpacing);
            if (s > 0 && (d - last) % s == 0) {
                const int32_t x = X(d);
                int32_t tx = d >= 10 ? x - zeroWidth : x;
                LabelAt(b, std::max(tx, b.start), std::to_string(d));
                Grid(row, x);
                Tick(b, x, l);
                if (s % 2 == 0 && d > last + s / 2) Tick(b, X(last + s / 2), l);
                if (static_cast<int32_t>(width) < sub && s >= 10) {
                    for (int32_t k = 0; k <= 9; ++k) {
                        const double p = last + k * (s / 10.0);
                        if (p > d + kSame) break;
                        Tick(b, X(p), l / 2);
                        if (end - d < s && p + s < end) Tick(b, X(p + s), l / 2);
                    }
                }
                last = d;
            }
        }
        if (sub <= 0) continue;
        const int32_t w = static_cast<int32_t>(width);
        if (w >= 2 * sub) {
            Tick(b, X(d), l);
            int32_t n = w / sub;
            if (n > 23) n = 24;
            else if (n >= 12) n = 12;
            for (int32_t k = 0; k <= n; ++k) {
                const double p = (d - 1) + double(k) / n;
                if (p >= 0) Tick(b, X(p), l / 2);
            }
        } else if (w >= sub) {
            Tick(b, X(d), l / 2);
        }
    }
}

void TRulerPainter::DrawDays(const Tprojectscale& row, const TBand& b)
{
    ICanvas& c = *setup_.canvas;
    const double need = c.TextExtent("30").cx + setup_.yf * row.tickWidth;
    auto step = [&](int32_t d) { return NaturalDayStep(DeviceDayWidth(d), need, setup_.dayStep); };
    const int32_t lastDay = LastDay();
    int32_t prev = 0;
    int32_t here = step(0);
    for (int32_t d = 0; d <= lastDay; ++d) {
        const int32_t next = step(d + 1);
        if ((here > 0 && d - prev == here) || d == lastDay || next != here) {
            const int32_t x1 = X(prev);
            const int32_t x2 = X(d);
            if (d > 0 && x2 > x1)
                LabelBetween(b, x1, x2, std::to_string(DateOfDay(setup_.projectStart, d - 1).day));
            Grid(row, x2);
            FullTick(b, x2);
            prev = d;
        }
        here = next;
    }
}

void TRulerPainter::DrawPeriodsOfMonth(const Tprojectscale& row, const TBand& b, bool tenDays)
{
    const double end = std::min(setup_.endDay, kMaxDays);
    double p = 0;
    while (p < end - kSame) {
        const TCivilTime t = DateOfDay(setup_.projectStart, static_cast<int64_t>(p));
        const int32_t monthEnd = DaysOfMonth(t.year, t.month);
        int32_t periodEnd;
        const char* label;
        if (tenDays) {
            if (t.day <= 10) periodEnd = 10, label = "上";
            else if (t.day <= 20) periodEnd = 20, label = "中";
            else periodEnd = monthEnd, label = "下";
        } else {
            if (t.day <= 15) periodEnd = 15, label = "上";
            else periodEnd = monthEnd, label = "下";
        }
        const double q = std::min(p + (periodEnd - t.day + 1), end);
        const int32_t x1 = X(p);
        const int32_t x2 = X(q);
        if (x2 > x1) LabelBetween(b, x1, x2, label);
        Grid(row, x2);
        FullTick(b, x2);
        p = q;
    }
}

void TRulerPainter::WholeLabels(const TBand& b, const std::vector<TBandLabel>& labels,
                                int32_t inset)
{
    ICanvas& c = *setup_.canvas;
    constexpr int32_t kGap = 2;
    const size_t n = labels.size();
    std::vector<TCanvasSize> ext(n);
    std::vector<int32_t> left(n);
    std::vector<char> shown(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const TBandLabel& l = labels[i];
        ext[i] = c.TextExtent(l.text);
        left[i] = (l.x1 + l.x2) / 2 - ext[i].cx / 2;
        shown[i] = ext[i].cx <= l.x2 - l.x1 - 2 * inset;
    }
    // A band at an end of the row too narrow for its text (the plan's first
    // or last days of a month or a year) shows it against that end, reaching
    // into its neighbour when that leaves room beside its own text; a text
    // cut to a part of itself would read as another number.
    auto place = [&](size_t i, bool atStart) {
        const TBandLabel& l = labels[i];
        if (atStart) {
            left[i] = std::max(l.x1 + inset, b.start + inset);
            int32_t limit = b.right - inset;
            if (i + 1 < n) limit = shown[i + 1] ? left[i + 1] - kGap : labels[i + 1].x2 - inset;
            shown[i] = left[i] + ext[i].cx <= limit;
        } else {
            left[i] = std::min(l.x2 - inset, b.right - inset) - ext[i].cx;
            int32_t limit = b.start + inset;
            if (i > 0) limit = shown[i - 1] ? left[i - 1] + ext[i - 1].cx + kGap : labels[i - 1].x1 + inset;
            shown[i] = left[i] >= limit;
        }
    };
    if (n > 0 && !shown[0]) place(0, true);
    if (n > 1 && !shown[n - 1]) place(n - 1, false);
    for (size_t i = 0; i < n; ++i) {
        if (!shown[i]) continue;
        const TCanvasRect clip{left[i], static_cast<int32_t>(b.top) + inset, left[i] + ext[i].cx,
                               static_cast<int32_t>(b.bottom) - inset};
        const int32_t y = static_cast<int32_t>(b.top + (b.height - ext[i].cy) / 2);
        if (!clip.IsEmpty()) c.TextRect(clip, left[i], y, labels[i].text);
    }
}

void TRulerPainter::DrawMonths(const Tprojectscale& row, const TBand& b)
{
    const double end = std::min(setup_.endDay, kMaxDays);
    const int32_t inset = static_cast<int32_t>(setup_.yf * row.borderWidth);
    std::vector<TBandLabel> labels;
    double p = 0;
    while (p < end - kSame) {
        const TCivilTime t = DateOfDay(setup_.projectStart, static_cast<int64_t>(p));
        const double q = std::min(p + (DaysOfMonth(t.year, t.month) - t.day + 1), end);
        const int32_t x1 = X(p);
        const int32_t x2 = X(q);
        if (x2 > x1)
            labels.push_back({x1, x2, setup_.yearShown
                                          ? std::to_string(t.month)
                                          : std::to_string(t.year) + "." + std::to_string(t.month)});
        Grid(row, x2);
        FullTick(b, x2);
        p = q;
    }
    WholeLabels(b, labels, inset);
}

void TRulerPainter::DrawYears(const Tprojectscale& row, const TBand& b)
{
    const double end = std::min(setup_.endDay, kMaxDays);
    std::vector<TBandLabel> labels;
    double p = 0;
    while (p < end - kSame) {
        const TCivilTime t = DateOfDay(setup_.projectStart, static_cast<int64_t>(p));
        const int64_t toNewYear =
            DaysFromCivil(t.year + 1, 1, 1) - DaysFromCivil(t.year, t.month, t.day);
        const double q = std::min(p + double(toNewYear), end);
        const int32_t x1 = X(p);
        const int32_t x2 = X(q);
        if (x2 > x1) labels.push_back({x1, x2, std::to_string(t.year)});
        Grid(row, x2);
        FullTick(b, x2);
        p = q;
    }
    WholeLabels(b, labels, 0);
}

void TRulerPainter::DrawProjectPeriods(const Tprojectscale& row, const TBand& b, int32_t m)
{
    ICanvas& c = *setup_.canvas;
    const IRulerAxis& axis = *setup_.axis;
    const double end = std::min(setup_.endDay, kMaxDays);
    // 18 units at the pass's factor on both sides: the factor cancels.
    auto step = [&](double r) { return r <= 0 ? 0 : PeriodStep(m, axis.DayWidthAt(r)); };
    const int32_t xEnd = X(end);
    int32_t prev = 0;
    for (int64_t r = 0; r <= end + kSame; r += m) {
        const int32_t q = step(double(r));
        const bool atEnd = std::fabs(double(r) - end) < kSame;
        if ((r > 0 && q > 0 && r % q == 0) || atEnd || step(double(r + 1)) != q) {
            const int32_t x1 = X(double(prev));
            const int32_t x2 = X(double(r));
            const std::string text = std::to_string(r / m);
            if (x2 - x1 > c.TextExtent(text).cx) LabelBetween(b, x1, x2, text);
            Grid(row, x2);
            FullTick(b, x2);
            if (q > 0 && end - double(r) < q) {
                const std::string next = std::to_string(r / m + 1);
                if (xEnd - x2 > c.TextExtent(next).cx) LabelBetween(b, x2, xEnd, next);
            }
            prev = static_cast<int32_t>(r);
        }
    }
}

void TRulerPainter::DrawWeekdays(const Tprojectscale& row, const TBand& b)
{
    // One character per day where the days are wide enough for it (judged
    // by the day's width on the scale, so that the room a displacement opens
    // does not make single days show up), otherwise a tick at the start of
    // every week (Monday).
    static const char* const names[7] = {"日", "一", "二", "三", "四", "五", "六"};
    ICanvas& c = *setup_.canvas;
    const int32_t need = c.TextExtent("六").cx + 2;
    const double end = std::min(setup_.endDay, kMaxDays);
    for (int32_t d = 0; d < end - kSame; ++d) {
        const int64_t stamp = int64_t(setup_.projectStart) + int64_t(d) * kSecondsPerDay;
        const int32_t weekday = WeekdayOfStamp(stamp);
        const int32_t x1 = X(d);
        const int32_t x2 = X(std::min(double(d + 1), end));
        if (DeviceDayWidth(d) >= need && x2 > x1) {
            LabelBetween(b, x1, x2, names[weekday]);
            Grid(row, x2);
            FullTick(b, x2);
        } else if (weekday == 1 && d > 0 && x2 > x1) {
            Grid(row, x1);
            FullTick(b, x1);
        }
    }
}
