#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Framelayout.h"
#include "drawing/Framepainter.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Rulerpainter.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "resources/Resourcediagram.h"
#include "schedule/Calendar.h"

namespace {

constexpr int32_t kMarkColor = 0x00FFFF;
constexpr int32_t kDropColor = 0x0000FF;

// Device coordinates truncate toward zero; a far-off value of a damaged
// file (or not a number) stays inside int32 instead of overflowing.
int32_t T(double v)
{
    return TruncToDevice(v);
}

class TGanttRulerAxis : public IRulerAxis {
public:
    explicit TGanttRulerAxis(const Tgantt& g) : g_(g) {}
    double XOfDay(double day) const override { return g_.TimeToX(day); }
    double DayWidthAt(double day) const override { return g_.scaleIntervals.DayWidthAt(day); }
    double DefaultDayWidth() const override { return g_.scaleIntervals.dayWidth; }

private:
    const Tgantt& g_;
};

// The work's colour of the pass: critical or general, or its own.
int32_t WorkColor(const Tpertgra& net, const Tedge& w)
{
    const Tworkdata& d = *w.data;
    if (d.useCustomColor) return d.lineColor;
    return d.critical ? net.displaySettings.criticalColor : net.displaySettings.generalColor;
}

// Successors of a work: the works leaving its end node, a dummy replaced by
// its own successors. Depth first in list order as a recursion would give
// them, but every node is expanded once, so dummy lattices stay linear and
// a dummy loop of a damaged file ends.
std::vector<const Tedge*> Successors(const Tedge& w)
{
    std::vector<const Tedge*> out;
    if (!w.toNode) return out;
    std::unordered_set<const Tvertex*> expanded{w.toNode};
    std::vector<const Tedge*> stack;
    auto pushLeaving = [&](const Tvertex* v) {
        const size_t mark = stack.size();
        for (const Tedge* e = v->firstWork; e; e = e->nextWork) stack.push_back(e);
        std::reverse(stack.begin() + mark, stack.end());
    };
    pushLeaving(w.toNode);
    while (!stack.empty()) {
        const Tedge* e = stack.back();
        stack.pop_back();
        if (e->data->IsDummy()) {
            if (e->toNode && expanded.insert(e->toNode).second) pushLeaving(e->toNode);
        } else {
            out.push_back(e);
        }
    }
    return out;
}

}  // namespace

void Tgantt::LoadPalette(const Tgantt& preset, bool print, int32_t textColor)
{
    spareColor1 = preset.spareColor1;
    if (!print) lineWidth = preset.lineWidth;
    spareColor2 = preset.spareColor2;
    spareColor3 = preset.spareColor3;
    workFont.color = textColor;
    if (print) ruler.ApplyPrintColors();
    else ruler.ApplyScreenColors();
}

namespace {

struct TGanttPass {
    const Tgantt& g;
    const Tpertgra& net;
    ICanvas& c;
    double sx;
    double sy;
    double s;
    double endDay;   // the plan's end, found once per pass (it walks every node)

    void DrawCell(const TGanttCell& cell) const
    {
        const double lw = cell.lineWidth;
        const int32_t left = T((cell.origin.x + lw) * sx);
        const int32_t top = T((cell.origin.y + lw) * sy);
        const int32_t right = T((cell.origin.x + cell.width - lw) * sx);
        const int32_t bottom = T((cell.origin.y + cell.height - lw) * sy);
        SelectFont(c, cell.font);
        int32_t sum = 0;
        std::vector<TCanvasSize> sizes;
        for (const std::string& l : cell.lines) {
            sizes.push_back(c.TextExtent(l));
            sum += sizes.back().cy;
        }
        int32_t y = T(std::max(double(top) + (double(bottom) - top - sum) / 2, double(top)));
        for (size_t i = 0; i < cell.lines.size(); ++i) {
            const int32_t w = sizes[i].cx;
            int32_t x = left;
            if (cell.align == 1) x = T(std::max(double(left), left + (double(right) - left - w) / 2));
            else if (cell.align == 2) x = T(std::max(double(left), double(right) - w));
            if (x < right && y < bottom)
                c.TextRect({x, y, right, bottom}, x, y, cell.lines[i]);
            y = T(double(y) + sizes[i].cy);
        }
        if (std::abs(cell.width) >= 1e-9) {
            SelectPen(c, cell.lineColor, std::max(0, T(sx * cell.lineWidth)));
            const int32_t cl = T(cell.origin.x * sx), ct = T(cell.origin.y * sy);
            const int32_t cr = T((cell.origin.x + cell.width) * sx);
            const int32_t cb = T((cell.origin.y + cell.height) * sy);
            c.Line(cr, ct, cr, cb);
            c.Line(cl, cb, cr, cb);
        }
    }

    // Outline and diagonal strokes of a non-filled bar.
    void HatchedBar(int32_t x1, int32_t top, int32_t x2, int32_t bottom, int32_t color) const
    {
        SelectPen(c, color, 1);
        if (top == bottom) {
            c.Line(x1, top, x2, top);
            return;
        }
        c.Line(x1, top, x2, top);
        c.Line(x2, top, x2, bottom);
        c.Line(x2, bottom, x1, bottom);
        const int32_t e = std::max(1, T(sy * g.normalBarHeight * 2 / 3));
        const int64_t h = int64_t(bottom) - top;
        c.Line(x1, bottom, x1, top);   // the left edge closes the outline
        // Strokes outside the visible part are passed over: a long bar far
        // beyond the window would otherwise cost thousands of lines per row.
        const TCanvasRect clip = c.ClipBox();
        int64_t from = x1;
        if (clip.left - e > x1) from = x1 + (int64_t(clip.left) - e - x1) / e * e;
        const int64_t to = std::min<int64_t>(x2, int64_t(clip.right) + e);
        for (int64_t x = from; x < to; x += e) {
            if (x + e <= x2) {
                c.Line(int32_t(x), bottom, int32_t(x + e), top);
            } else {
                // The last stroke ends on the right edge at its proportional height.
                const int32_t yEnd = T(double(bottom) - double(h) * double(x2 - x) / e);
                c.Line(int32_t(x), bottom, x2, yEnd);
            }
        }
    }

    // The bar's top and height in row r for a work (its own critical flag).
    void BarRows(const Tedge& w, size_t r, int32_t& y, int32_t& h) const
    {
        h = T(sy * (w.data->critical ? g.criticalBarHeight : g.normalBarHeight));
        y = T(double(r) * g.rowHeight * sy + g.RowsTop(net) * sy + 1 +
              (g.rowHeight * sy - h) * 0.5);
    }

    void DrawBars(const Tedge& w, size_t r) const
    {
        if (g.barStyle != "条形") return;
        std::vector<const Tedge*> pieces;
        for (const Tedge* p = w.nextSegment; p && pieces.size() < 100000; p = p->nextSegment) {
            if (p == &w) break;
            pieces.push_back(p);
        }
        pieces.push_back(&w);
        TCanvasStateSaver keep(c);
        for (const Tedge* p : pieces) {
            const int32_t color = WorkColor(net, *p);
            int32_t y, h;
            BarRows(*p, r, y, h);
            const int32_t x1 = T(g.TimeToX(BarStartDay(net, *p)) * sx);
            const int32_t x2 = T(g.TimeToX(BarFinishDay(net, *p)) * sx);
            const bool filled = p == &w && p->data->critical && p->data->IsKind(WorkKind::Real);
            if (filled) {
                SelectPen(c, color, 1);
                c.SetBrush({color, TBrushStyle::Solid});
                c.Rectangle({x1, y, x2, T(double(y) + h)});
            } else {
                c.SetBrush({color, TBrushStyle::ForwardDiagonal});
                HatchedBar(x1, y, x2, T(double(y) + h - 1), color);
            }
            SelectClearBrush(c);
        }
    }

    void DrawRowLines(size_t r) const
    {
        SelectPen(c, g.ruler.scales[0].lineColor, std::max(0, T(sy * g.lineWidth)));
        SelectClearBrush(c);
        const double y0 = g.RowsTop(net) + double(r) * g.rowHeight;
        const double y1 = y0 + g.rowHeight;
        const int32_t xEnd = T(g.TimeToX(endDay) * sx);
        c.Line(T(g.ChartLeft() * sx), T(y1 * sy), xEnd, T(y1 * sy));
        c.Line(xEnd, T(y0 * sy), xEnd, T(y1 * sy));
    }

    void DrawLinks(const Tedge& w, size_t r,
                   const std::unordered_map<const Tedge*, size_t>& rowOf) const
    {
        int32_t y, h;
        BarRows(w, r, y, h);
        const int32_t x0 = T(g.TimeToX(BarFinishDay(net, w)) * s);
        const int32_t y0 = T(y + h / 2.0);
        const int32_t u = std::clamp(T(s), 1, 1000);
        TCanvasStateSaver keep(c);
        for (const Tedge* succ : Successors(w)) {
            auto it = rowOf.find(succ);
            if (it == rowOf.end()) continue;
            const size_t j = it->second;
            const Tedge& rowWork = *g.pageWorks[j];
            int32_t ys0, hs;
            BarRows(rowWork, j, ys0, hs);
            const int32_t xs = T(g.TimeToX(BarStartDay(net, *succ)) * s);
            const int32_t ys = T(ys0 + hs / 2.0);
            if (xs == x0 && ys == y0) continue;
            const bool critical = w.data->critical && succ->data->critical;
            const int32_t color = critical ? net.displaySettings.criticalColor
                                           : net.displaySettings.generalColor;
            SelectPen(c, color, std::max(0, T(s)));
            auto at = [](int32_t v, int32_t d) { return T(double(v) + d); };
            const int32_t y1 = j < r ? at(y0, -10 * u) : at(y0, 10 * u);
            c.Polyline({{x0, y0},
                        {at(x0, 10 * u), y0},
                        {at(x0, 10 * u), y1},
                        {at(x0, -10 * u), y1},
                        {at(x0, -10 * u), ys},
                        {at(xs, -5 * u), ys}});
            FillTriangle(c, {at(xs, -5 * u), at(ys, -5 * u)}, {at(xs, -5 * u), at(ys, 5 * u)},
                         {xs, ys});
        }
    }

    void DrawTitle() const
    {
        TCanvasStateSaver keep(c);
        SelectFont(c, g.titleFont);
        std::vector<std::string> pieces;
        std::string rest = g.title;
        for (size_t at = rest.rfind('\\'); at != std::string::npos; at = rest.rfind('\\')) {
            pieces.push_back(rest.substr(at + 1));
            rest.resize(at);
        }
        pieces.push_back(rest);   // pieces run from the last one up
        const double left = g.leftMargin * sx;
        const double right = g.ChartRight(net, sx);
        double bottom = (g.topMargin - g.titleGap) * sy;
        for (const std::string& p : pieces) {
            const TCanvasSize e = c.TextExtent(p);
            bottom -= e.cy;
            c.TextOut(T((left + right) / 2 - e.cx / 2.0), T(bottom), p);
        }
    }

    double FrameBottom() const { return g.FrameBottom(net) * sy; }

    // The explanation block in the room the chart reserves for it, as the
    // network's frame draws it, without the legend.
    void DrawExplanation(Tpertgrid& ruler, const TPertDrawMode& mode) const
    {
        TFrameLayout f;
        f.xf = sx;
        f.yf = sy;
        f.viewKind = 0;
        f.leftEdge = T(g.leftMargin * sx);
        f.topEdge = T(g.topMargin * sy);
        f.rightEdge = g.ChartRight(net, sx);
        f.bottomEdge = FrameBottom();
        f.explainWidth = ruler.ExplainWidth();
        f.explainHeight = ruler.ExplainHeight();
        TFramePainter::DrawExplanationBlock(ruler, net, mode, f, T(sy * ruler.frameWidth), false);
    }

    void DrawFrame() const
    {
        TCanvasStateSaver keep(c);
        const int32_t W = T(sy * g.ruler.frameWidth);
        const int32_t xL = T(g.leftMargin * sx) - W / 2;
        const int32_t yT = T(g.topMargin * sy) - W / 2;
        const int32_t right = g.ChartRight(net, sx);
        const int32_t bottom = T(FrameBottom()) + W / 2;
        SelectClearBrush(c);
        SelectPen(c, g.ruler.frameColor, W / 2);
        const int32_t thin = yT - (3 * W) / 4 - T(3 * s);
        c.Line(xL + W / 2, thin, right - W / 2, thin);
        SelectPen(c, g.ruler.frameColor, W);
        c.Line(xL, yT, right, yT);
        c.Line(right, yT, right, bottom);
        c.Line(xL, yT, xL, bottom);
        c.Line(xL, bottom, right, bottom);
    }

    void DrawRuler(Tpertgrid& ruler) const
    {
        TGanttRulerAxis axis(g);
        TRulerSetup setup;
        setup.canvas = &c;
        setup.xf = sx;
        setup.yf = sy;
        setup.axis = &axis;
        setup.endDay = endDay;
        setup.projectStart = net.projectStart;
        setup.gridTop = g.RowsTop(net) * sy;
        setup.gridBottom = g.ChartBottom(net) * sy;
        setup.yearShown = ruler.topYear;
        setup.dayStep = ruler.dayStep;
        TRulerPainter painter(setup);
        const double left = g.ChartLeft() * sx;
        const double right = T(g.TimeToX(setup.endDay) * sx);
        double y = g.topMargin * sy;
        for (const TRulerRowRef& rr : ruler.VisibleTopRows()) {
            Tprojectscale& row = ruler.scales[size_t(rr.scale)];
            TRulerBand band;
            band.top = y;
            band.left = left;
            band.right = right;
            band.nameCell = false;
            band.lowerEdge = true;
            painter.Draw(rr.kind, row, band);
            y += sy * row.height;
        }
        y = (g.ChartBottom(net) + g.DiagramRoom(net) + ruler.BottomRowsHeight()) * sy;
        for (const TRulerRowRef& rr : ruler.VisibleBottomRows()) {
            Tprojectscale& row = ruler.scales[size_t(rr.scale)];
            y -= sy * row.height;
            TRulerBand band;
            band.top = y;
            band.left = left;
            band.right = right;
            band.nameCell = false;
            band.upperEdge = true;
            band.lowerEdge = false;
            painter.Draw(rr.kind, row, band);
        }
    }
};

}  // namespace

void Tgantt::DrawGantt(TPertDrawMode& mode, Tpertgra& net)
{
    if (!mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    // The cells are wrapped again on the canvas they are drawn on.
    BuildCells(net, mode);
    const TGanttPass pass{*this, net, c, mode.xFactor, mode.yFactor, mode.xFactor,
                          ProjectEndDay(net)};
    ruler.topMargin = topMargin;
    pass.DrawRuler(ruler);
    const int32_t tableColor = ruler.scales[0].lineColor;
    for (TGanttCell& cell : headerCells) {
        cell.font = workFont;
        cell.lineWidth = lineWidth;
        cell.lineColor = tableColor;
        pass.DrawCell(cell);
    }
    for (const TGanttCell& cell : groupCells) pass.DrawCell(cell);
    std::unordered_map<const Tedge*, size_t> rowOf;
    if (ShowLinks()) {
        for (size_t j = 0; j < pageWorks.size(); ++j) {
            rowOf.emplace(pageWorks[j], j);
            if (pageWorks[j]->nextSegment) rowOf.emplace(pageWorks[j]->nextSegment, j);
        }
    }
    for (size_t r = 0; r < pageWorks.size(); ++r) {
        const Tedge& w = *pageWorks[r];
        for (const TGanttCell& cell : w.cells) pass.DrawCell(cell);
        pass.DrawRowLines(r);
        pass.DrawBars(w, r);
        if (ShowLinks()) pass.DrawLinks(w, r, rowOf);
    }
    pass.DrawTitle();
    if (showResourceDiagram) {
        // Under the last row of the page, on the chart's own time axis.
        TDiagramPlace place;
        place.x0 = ChartLeft() * mode.xFactor;
        place.top = ChartBottom(net) * mode.yFactor;
        place.xOfDay = [this](double day) { return TimeToX(day); };
        place.separatorLeft = leftMargin * mode.xFactor;
        place.frameWidth = ruler.frameWidth;
        place.frameColor = ruler.frameColor;
        DrawResourceDiagrams(net, mode, place);
    }
    pass.DrawFrame();
    pass.DrawExplanation(ruler, mode);
}

void Tgantt::DrawCurrentMark(const Tpertgra& net, const TPertDrawMode& mode) const
{
    const int32_t r = PageRowOf(currentWork);
    if (r < 0 || !mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectPen(c, kMarkColor, 1, TPenStyle::Solid, TPenMode::Xor);
    SelectClearBrush(c);
    const double top = RowsTop(net) + double(r) * rowHeight;
    const int32_t x0 = T(RowCellsLeft() * mode.xFactor) + 1;
    const int32_t y0 = T(top * mode.yFactor) + 1;
    const int32_t x1 = T(TimeToX(ProjectEndDay(net)) * mode.xFactor) - 1;
    const int32_t y1 = T((top + rowHeight) * mode.yFactor);
    c.Rectangle({x0, y0, x1, y1});
}

void Tgantt::DrawDropMarker(const Tpertgra& net, const Tedge* work,
                            const TPertDrawMode& mode) const
{
    const int32_t r = PageRowOf(work);
    if (r < 0 || !mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectFont(c, workFont);
    const double sx = mode.xFactor, sy = mode.yFactor;
    const double y0 = (RowsTop(net) + double(r) * rowHeight) * sy;
    const double th = c.TextExtent("文本").cy;
    const double mid = y0 + (rowHeight - th) / 2 + std::min<double>(th, rowHeight) / 2;
    const int32_t half = rowHeight / 2;
    const int32_t x0 = T(RowCellsLeft());
    const int32_t x1 = T(TimeToX(ProjectEndDay(net)) * sx);
    SelectPen(c, kDropColor, 2, TPenStyle::Solid, TPenMode::Xor);
    SelectClearBrush(c);
    c.Line(x0, T(mid - half), x0, T(mid + half));
    c.Line(x0, T(mid + half), x1, T(mid + half));
}
