#include "drawing/Framepainter.h"

#include <algorithm>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Explaindraw.h"
#include "drawing/Fenzu.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

std::vector<TRestBand> RestBands(const Tpertgra& net, double endDay)
{
    std::vector<TRestBand> periods;
    for (const Ttimeintval& p : net.restIntervals.Items()) {
        const double s = double(int64_t(p.start) - net.projectStart) / double(kSecondsPerDay);
        const double e = double(int64_t(p.end) - net.projectStart) / double(kSecondsPerDay);
        if (s < 0 || e > endDay + 1e-9 || !(e > s)) continue;
        periods.push_back({s, e});
    }
    std::sort(periods.begin(), periods.end(),
              [](const TRestBand& a, const TRestBand& b) { return a.start < b.start; });
    std::vector<TRestBand> bands;
    const double oneSecond = 1.0 / double(kSecondsPerDay);
    for (const TRestBand& p : periods) {
        if (!bands.empty() && p.start <= bands.back().end + oneSecond + 1e-12)
            bands.back().end = std::max(bands.back().end, p.end);
        else
            bands.push_back(p);
    }
    return bands;
}

double TFramePainter::TNetworkRulerAxis::XOfDay(double day) const
{
    return a_.XOfTime(day, TShiftCount::Ruler);
}

double TFramePainter::TNetworkRulerAxis::DayWidthAt(double day) const
{
    return a_.Scale().DayWidthAt(day);
}

double TFramePainter::TNetworkRulerAxis::DefaultDayWidth() const
{
    return a_.Scale().dayWidth;
}

TFramePainter::TFramePainter(const Tpertgra& net, Tpertgrid& grid, const TPertDrawMode& mode)
    : net_(net),
      grid_(grid),
      mode_(mode),
      axis_(net),
      rulerAxis_(axis_),
      layout_(TFrameLayout::Of(net, axis_, mode.xFactor, mode.yFactor))
{
}

TRulerSetup TFramePainter::Setup() const
{
    TRulerSetup s;
    s.canvas = mode_.canvas;
    s.xf = layout_.xf;
    s.yf = layout_.yf;
    s.axis = &rulerAxis_;
    s.endDay = layout_.projectEndDay;
    s.projectStart = net_.projectStart;
    s.gridTop = layout_.yf * (net_.groups.origin.y + layout_.topRowsHeight);
    s.gridBottom = layout_.areaBottom;
    s.yearShown = grid_.topYear;
    s.dayStep = grid_.dayStep;
    return s;
}

void TFramePainter::Draw()
{
    if (!mode_.canvas) return;
    const int32_t view = layout_.viewKind;
    if (view != 1 && view != 3) return;
    DrawTopRows();
    DrawRestBands();
    DrawStartAndEndLines();
    DrawBorder();
    DrawBottomRows();
    DrawExplanationBlock(grid_, net_, mode_, layout_,
                         static_cast<int32_t>(layout_.xf * grid_.frameWidth), true);
}

void TFramePainter::DrawExplanationBlock(Tpertgrid& grid, const Tpertgra& net,
                                         const TPertDrawMode& mode, const TFrameLayout& frame,
                                         int32_t framePen, bool legend)
{
    if (!mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectPen(c, grid.frameColor, framePen);
    DrawExplanation(grid, net, mode, frame, legend);
}

void TFramePainter::DrawTopRows()
{
    TRulerPainter painter(Setup());
    double y = layout_.topEdge;
    for (const TRulerRowRef& r : grid_.VisibleTopRows()) {
        Tprojectscale& row = grid_.scales[size_t(r.scale)];
        TRulerBand band;
        band.top = y;
        band.left = layout_.rowLeft;
        band.right = static_cast<int32_t>(layout_.xf * layout_.projectEndX);
        band.nameCell = net_.showFrame;
        band.upperEdge = false;
        band.lowerEdge = true;
        painter.Draw(r.kind, row, band);
        y += layout_.yf * row.height;
    }
}

void TFramePainter::DrawBottomRows()
{
    TRulerPainter painter(Setup());
    double y = layout_.bottomEdge - layout_.yf * layout_.explainHeight;
    for (const TRulerRowRef& r : grid_.VisibleBottomRows()) {
        Tprojectscale& row = grid_.scales[size_t(r.scale)];
        y -= layout_.yf * row.height;
        TRulerBand band;
        band.top = y;
        band.left = layout_.rowLeft;
        band.right = static_cast<int32_t>(layout_.xf * layout_.projectEndX);
        band.nameCell = net_.showFrame;
        band.upperEdge = true;
        band.lowerEdge = false;
        painter.Draw(r.kind, row, band);
    }
}

void TFramePainter::DrawRestBands()
{
    ICanvas& c = *mode_.canvas;
    TCanvasStateSaver keep(c);
    const TVqBrush& brush =
        IsPrintKind(mode_.DrawKind) ? grid_.printRestBrush : grid_.screenRestBrush;
    SelectPen(c, brush.color, 1);
    SelectBrush(c, brush);
    const int32_t top = static_cast<int32_t>(layout_.areaTop);
    const int32_t bottom = static_cast<int32_t>(layout_.areaBottom);
    for (const TRestBand& b : RestBands(net_, layout_.projectEndDay)) {
        const TCanvasRect r{static_cast<int32_t>(layout_.xf * axis_.XOfTime(b.start, TShiftCount::Ruler)),
                            top,
                            static_cast<int32_t>(layout_.xf * axis_.XOfTime(b.end, TShiftCount::Ruler)),
                            bottom};
        if (!r.IsEmpty()) c.Rectangle(r);
    }
}

void TFramePainter::DrawMarkedLine(ICanvas& c, int32_t x, int32_t y1, int32_t y2, int32_t color,
                                   int32_t width, int32_t markSize)
{
    TCanvasStateSaver keep(c);
    SelectPen(c, color, width);
    SelectClearBrush(c);
    c.Line(x, y1, x, y2);
    const int32_t s = markSize;
    const int32_t h = s / 2;
    c.Polygon({{x, y1}, {x - h, y1 + s}, {x + h, y1 + s}});
    c.Polygon({{x, y2}, {x - h, y2 - s}, {x + h, y2 - s}});
}

void TFramePainter::DrawStartAndEndLines()
{
    ICanvas& c = *mode_.canvas;
    const double xf = layout_.xf;
    const int32_t top = layout_.topEdge;
    const int32_t bottom = static_cast<int32_t>(
        layout_.viewKind == 3 ? layout_.bottomEdge - layout_.yf * layout_.explainHeight
                              : layout_.areaBottom);
    const int32_t width = static_cast<int32_t>(xf * grid_.scales[0].tickWidth);
    const int32_t mark = static_cast<int32_t>(xf * net_.displaySettings.arrowLength);
    const int32_t color = net_.displaySettings.criticalColor;
    DrawMarkedLine(c, static_cast<int32_t>(xf * layout_.x0), top, bottom, color, width, mark);
    DrawMarkedLine(c, static_cast<int32_t>(xf * layout_.projectEndX), top, bottom, color, width,
                   mark);
}

void TFramePainter::DrawBorder()
{
    ICanvas& c = *mode_.canvas;
    TCanvasStateSaver keep(c);
    const double w = layout_.xf * grid_.frameWidth;
    const double half = w / 2;
    const int32_t left = layout_.leftEdge;
    const int32_t top = layout_.topEdge;
    const int32_t right = layout_.rightEdge;
    SelectClearBrush(c);
    SelectPen(c, grid_.frameColor, static_cast<int32_t>(half));
    const int32_t y = static_cast<int32_t>(top - half - 0.75 * w - 3 * layout_.yf);
    c.Line(left, y, static_cast<int32_t>(right - half), y);
    SelectPen(c, grid_.frameColor, static_cast<int32_t>(w));
    c.Rectangle(TCanvasRect{static_cast<int32_t>(left - half), static_cast<int32_t>(top - half),
                            right, static_cast<int32_t>(layout_.bottomEdge + half)});
}
