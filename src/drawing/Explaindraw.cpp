#include "drawing/Explaindraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Pertexplain.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Timetable.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "model/Vertex.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

// Device values reach the canvas truncated toward zero, kept inside what a
// canvas can address.
int32_t T(double v)
{
    if (!(v == v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -1e9, 1e9));
}

int32_t TextHeight(ICanvas& c, const TVqFont& f)
{
    SelectFont(c, f);
    return c.TextExtent("工").cy;
}

// The explanation text of a block whose corner is (a, b), `width` wide.
void DrawExplanationText(ICanvas& c, const Tpertexplain& e, const TPertDrawMode& mode, int32_t a,
                         int32_t b, int32_t width)
{
    SelectFont(c, e.explanationFont);
    const int32_t xi = T(mode.xFactor);
    const int32_t yi = T(mode.yFactor);
    const int32_t x = a + xi * e.textLeftGap;
    int32_t y = b + 8 * yi;
    for (const std::string& s : e.explanationLines) y += WrapText(c, x, y, s, width);
}

// The cell grid of style one with its top-left corner at (xb, yt): W wide,
// rows h high under a top row of `top`, lines pw wide.
void DrawStyleOne(ICanvas& c, Tpertexplain& e, const Tpertgra& net, const TPertDrawMode& mode,
                  int32_t frameColor, int32_t xb, int32_t yt, int32_t W, int32_t h, int32_t top)
{
    const int32_t pw = T(mode.xFactor);
    SelectPen(c, frameColor, pw);
    SelectFont(c, e.explanationFont);
    auto cell = [&](int32_t x, int32_t y, int32_t w, int32_t ch, int index, bool bottom) {
        WriteCell(c, x, y, w, ch, e.cells[size_t(index)], 0);
        c.Line(x, y, x, y + ch);
        if (bottom) c.Line(x, y + ch, x + w, y + ch);
    };
    cell(xb, yt, W, top, 0, true);
    const int32_t label = W / 4;
    const int32_t value = W / 2 - W / 4 - pw;
    const int rows[6][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {15, 17}, {16, 18}};
    for (int i = 0; i < 6; ++i) {
        const int32_t y = yt + top + i * h;
        if (i == 4 && e.autoStart) e.cells[17] = AutoStartText(net);
        if (i == 5 && e.autoEnd) e.cells[18] = AutoEndText(net);
        cell(xb, y, label, h, rows[i][0], true);
        cell(xb + label, y, value, h, rows[i][1], true);
    }
    const int32_t y7 = yt + top + 6 * h;
    cell(xb, y7, W / 2 - pw, h, 9, false);
    cell(xb + W / 2 - pw, y7, W - (W / 2 - pw), h, 10, false);
    const int32_t xr = xb + W / 2 - pw;
    for (int i = 0; i < 2; ++i) {
        const int32_t y = yt + top + i * h;
        if (i == 1 && e.autoDuration) e.cells[14] = AutoDurationText(net);
        cell(xr, y, label, h, i == 0 ? 11 : 13, true);
        cell(xr + label, y, W / 4 + pw, h, i == 0 ? 12 : 14, true);
    }
    // The note area: rows 3 to 6 of the right half.
    const int32_t noteTop = yt + top + 2 * h;
    SelectFont(c, e.titleBlockFont);
    int32_t y = noteTop + T(5 * mode.xFactor);
    for (const std::string& s : e.noteLines) y += WrapText(c, xr + pw, y, s, W / 2);
    SelectPen(c, frameColor, pw);
    c.Line(xr, noteTop, xr, noteTop + 4 * h);
    c.Line(xr, noteTop + 4 * h, xr + W / 2, noteTop + 4 * h);
}

void DrawRightBlock(ICanvas& c, Tpertgrid& g, const Tpertgra& net, const TPertDrawMode& mode,
                    const TFrameLayout& f, bool legend)
{
    Tpertexplain& e = g.explain;
    const double xf = mode.xFactor;
    const double yf = mode.yFactor;
    const int32_t R = f.rightEdge;
    const double B = f.bottomEdge;
    const int32_t framePen = c.Pen().width;
    const int32_t x = T(R - xf * e.blockWidth);
    const int32_t y = T(f.topEdge - framePen / 2.0);
    const int32_t p1 = std::max(framePen / 2, T(yf));
    SelectPen(c, g.frameColor, p1);
    c.Line(x, y, x, T(B));
    DrawExplanationText(c, e, mode, x, y, T(xf) * (e.blockWidth - e.textLeftGap - e.textRightGap));

    const int32_t W = T(xf * e.blockWidth);
    double yl = 0;
    if (e.titleStyle == 0) {
        const int32_t pw = T(xf);
        const int32_t th = TextHeight(c, e.explanationFont);
        const int32_t yb = T(B - 8.0 * (th + 4 * pw));
        SelectPen(c, g.frameColor, pw);
        c.Line(x, yb, x + W, yb);
        if (e.blockHeight != 0) {
            const int32_t h = th + 4 * pw;
            DrawStyleOne(c, e, net, mode, g.frameColor, x, yb, W, h, h);
        }
        yl = B - 8.0 * (th + 4 * p1) - yf * e.legend.height;
    } else if (e.blockWidth > 0) {
        TTitleBar& rb = e.rightBar;
        rb.font = e.titleBlockFont;
        rb.height = rb.TotalHeight(mode);
        const int32_t y1 = T(B - rb.height);
        rb.x = x;
        rb.y = y1;
        rb.valueWidth = e.blockWidth - rb.labelWidth;
        rb.Draw(mode);
        SelectPen(c, g.frameColor, T(yf));
        c.Line(x, y1, x + W, y1);
        yl = y1 - yf * e.legend.height;
        TTitleBar& lb = e.leftBar;
        lb.font = e.titleBlockFont;
        const double lh = lb.TotalHeight(mode);
        const int32_t y2 = T(B - rb.height - lh);
        lb.height = lh;
        lb.x = x;
        lb.y = y2;
        lb.labelWidth = rb.labelWidth;
        lb.valueWidth = e.blockWidth - lb.labelWidth;
        lb.Draw(mode);
        SelectPen(c, g.frameColor, T(yf));
        c.Line(x, y2, x + W, y2);
        if (lb.shown) yl = y2 - yf * e.legend.height;
    }
    if (!legend) return;
    e.legend.x = x;
    e.legend.y = T(yl);
    if (e.legend.Draw(e, true, mode, net, g.frameColor) > 0) {
        SelectPen(c, g.frameColor, T(xf));
        c.Line(x, e.legend.y, x + W, e.legend.y);
    }
}

void DrawBottomBlock(ICanvas& c, Tpertgrid& g, const Tpertgra& net, const TPertDrawMode& mode,
                     const TFrameLayout& f, bool legend)
{
    Tpertexplain& e = g.explain;
    if (e.blockHeight <= 0) return;
    const double xf = mode.xFactor;
    const int32_t R = f.rightEdge;
    const double B = f.bottomEdge;
    const int32_t framePen = c.Pen().width;
    const int32_t x = f.leftEdge;
    const int32_t y = T(B - xf * e.blockHeight);
    SelectPen(c, g.frameColor, std::max(framePen / 2, T(xf)));
    c.Line(x, y, R, y);
    SelectPen(c, g.frameColor, T(xf));
    int32_t xl = x;
    if (e.titleStyle == 0) {
        const int32_t W = T(xf * e.blockWidth);
        if (W != 0) {
            const int32_t xb = std::max(R - W, x);
            const int32_t yt = std::max(T(B - xf * e.blockHeight), y);
            const int32_t h = T(xf * e.blockHeight / 8);
            const int32_t top = T(h + xf * e.blockHeight - 8 * h);
            DrawStyleOne(c, e, net, mode, g.frameColor, xb, yt, W, h, top);
        }
    } else if (e.blockWidth > 0 && e.rightBar.IsVisible()) {
        TTitleBar& rb = e.rightBar;
        const int32_t x1 = std::max(T(R - rb.Width(mode)), x);
        SelectPen(c, g.frameColor, T(xf));
        c.Line(x1, y, x1, T(B));
        rb.font = e.titleBlockFont;
        rb.x = x1;
        rb.y = y;
        rb.height = B - y;
        rb.Draw(mode);
        TTitleBar& lb = e.leftBar;
        lb.font = e.titleBlockFont;
        lb.x = x;
        lb.y = y;
        lb.height = B - y;
        lb.Draw(mode);
        xl = T(x + lb.Width(mode));
        if (lb.IsVisible()) {
            SelectPen(c, g.frameColor, T(xf));
            c.Line(xl, y, xl, T(B));
        }
    }
    int32_t w = 0;
    if (legend) {
        e.legend.x = xl;
        e.legend.y = y;
        w = e.legend.Draw(e, false, mode, net, g.frameColor);
    }
    DrawExplanationText(c, e, mode, xl + w, y,
                        R - (xl + w) - T(xf) * (e.blockWidth + e.textLeftGap + e.textRightGap));
}

}

std::string AutoStartText(const Tpertgra& net)
{
    return DateText(DateOfDay(net, 0));
}

std::string AutoEndText(const Tpertgra& net)
{
    return DateText(DateOfDay(net, 0) + std::trunc(ProjectEndDay(net)) - 1);
}

std::string AutoDurationText(const Tpertgra& net)
{
    float last = 0;
    for (const auto& n : net.nodes) last = std::max(last, n->time);
    return GeneralNumberText(last);
}

void WriteCell(ICanvas& c, int32_t x, int32_t y, int32_t w, int32_t h, const std::string& text,
               int32_t align)
{
    const int32_t a = align == 1 ? 0 : align == 2 ? 2 : 1;
    DrawTextInRect(c, TCanvasRect{x, y, x + w, y + h - c.Pen().width}, text, a, true);
}

int32_t WrapText(ICanvas& c, int32_t x, int32_t y, const std::string& text, int32_t width)
{
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& ch : Utf8Characters(text)) {
        if (!line.empty() && c.TextExtent(line + ch).cx >= width) {
            lines.push_back(line);
            line.clear();
        }
        line += ch;
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    int32_t total = 0;
    for (const std::string& l : lines) {
        const int32_t h = c.TextExtent(l.empty() ? std::string("工") : l).cy;
        WriteCell(c, x, y + total, std::max(width, c.TextExtent(l).cx), h + c.Pen().width, l, 1);
        total += h;
    }
    return total;
}

void DrawTitle(const Tpertgra& net, const TPertDrawMode& mode, int32_t rightEdge)
{
    if (!mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectFont(c, net.titleFont);
    std::vector<std::string> lines;
    std::string rest = net.title;
    for (size_t at; (at = rest.find('\\')) != std::string::npos;) {
        lines.push_back(rest.substr(0, at));
        rest.erase(0, at + 1);
    }
    lines.push_back(rest);
    const double x0 = mode.xFactor * net.groups.origin.x;
    double y0 = mode.yFactor * (net.groups.origin.y - net.titleGap);
    const int32_t H = c.TextExtent(net.title).cy;
    for (size_t i = lines.size(); i-- > 0;) {
        const int32_t w = c.TextExtent(lines[i]).cx;
        c.TextOut(T((rightEdge + x0) / 2 - w / 2.0), T(y0 - H), lines[i]);
        y0 -= H;
    }
}

void DrawExplanation(Tpertgrid& grid, const Tpertgra& net, const TPertDrawMode& mode,
                     const TFrameLayout& frame, bool legend)
{
    if (!mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasStateSaver keep(c);
    SelectClearBrush(c);
    c.SetTextBackground(false, 0);
    if (grid.explain.showMode == 1) DrawRightBlock(c, grid, net, mode, frame, legend);
    else if (grid.explain.showMode == 2) DrawBottomBlock(c, grid, net, mode, frame, legend);
}

// ---- title tables ----------------------------------------------------------

double TTitleBar::Width(const TPertDrawMode& mode) const
{
    return shown ? mode.xFactor * (labelWidth + valueWidth) : 0;
}

int32_t TTitleBar::RowCount() const
{
    return int32_t(std::max(labels.size(), values.size()));
}

double TTitleBar::RowHeight(const TPertDrawMode& mode) const
{
    if (!mode.canvas) return 6 * mode.yFactor;
    TCanvasStateSaver keep(*mode.canvas);
    return TextHeight(*mode.canvas, font) + 6 * mode.yFactor;
}

void TTitleBar::Draw(const TPertDrawMode& mode) const
{
    if (!shown || !mode.canvas) return;
    ICanvas& c = *mode.canvas;
    TCanvasPen pen = c.Pen();
    pen.width = T(mode.yFactor);
    pen.style = TPenStyle::Solid;
    c.SetPen(pen);
    SelectClearBrush(c);
    SelectFont(c, font);
    const int32_t n = RowCount();
    const double q = n == 0 ? 0 : height / n;
    const double w1 = mode.xFactor * labelWidth;
    const double w2 = mode.xFactor * valueWidth;
    auto text = [](const std::vector<std::string>& v, int32_t i) {
        return size_t(i) < v.size() ? v[size_t(i)] : std::string(" ");
    };
    const int32_t x = pen.width + this->x;
    double y = this->y;
    for (int32_t i = 0; i < n; ++i) {
        WriteCell(c, x, T(y), T(w1), T(q), text(labels, i), 1);
        c.Line(T(x + w1), T(y), T(x + w1), T(y + q));
        if (i + 1 < n) c.Line(x, T(y + q), T(x + w1), T(y + q));
        y += q;
    }
    const int32_t x2 = T(pen.width + this->x + w1);
    y = this->y;
    for (int32_t i = 0; i < n; ++i) {
        WriteCell(c, x2, T(y), T(w2), T(q), text(values, i), 1);
        y += q;
        if (i + 1 < n) c.Line(x2, T(y), T(x2 + w2), T(y));
    }
}

// ---- legend ----------------------------------------------------------------

int32_t TPertTuli::Draw(const Tpertexplain& block, bool atRight, const TPertDrawMode& mode,
                        const Tpertgra& net, int32_t frameColor)
{
    if (!mode.canvas) return 0;
    ICanvas& c = *mode.canvas;
    const double xf = mode.xFactor;
    const double yf = mode.yFactor;
    if (atRight ? !(height > 1) : !(width > 1)) return 0;
    const int32_t cw = T((atRight ? block.blockWidth : width) * xf);
    const int32_t ch = T((atRight ? height : block.blockHeight) * yf);
    const TDisplaySettings& d = net.displaySettings;
    const bool screen = mode.DrawKind == dkScreen;
    const bool print = IsPrintKind(mode.DrawKind);
    auto pen = [](double f, int32_t v) { return std::max(1, T(f * std::clamp(v, 0, 100))); };

    struct TItem {
        const char* text;
        int kind;  // 0 solid, 1 dashed, 2 wave, 3 time table
        int32_t color;
        int32_t width;
    };
    std::vector<TItem> items{{"关键工作", 0, d.criticalColor, pen(xf, d.criticalPen)},
                             {"一般工作", 0, d.generalColor, pen(yf, d.generalPen)}};
    if (hasDummy) items.push_back({"虚工作", 1, d.generalColor, pen(xf, d.dummyPen)});
    if (hasAuxiliary)
        items.push_back({"辅助工作", 0,
                         screen ? net.colorPairs[0] : print ? net.colorPairs[1] : 0xFF0000,
                         pen(xf, net.auxiliaryPenWidth)});
    if (hasSuspended)
        items.push_back({"挂起工作", 1,
                         screen ? net.colorPairs[2] : print ? net.colorPairs[3] : 0xFF0000,
                         pen(xf, net.suspendedPenWidth)});
    items.push_back({"时差", 2, d.floatColor, pen(xf, d.floatPen)});
    if (net.showTimeLabels == 1) items.push_back({"工作时间参数", 3, d.timeDataColor, 1});

    const int32_t step = T(xf);
    int32_t colLeft = x;
    int32_t columns = 1;
    auto columnLine = [&] {
        if (atRight) return;
        SelectPen(c, frameColor, step);
        c.Line(colLeft + cw, y, colLeft + cw, y + ch);
    };
    columnLine();
    const int32_t tx0 = T(2 * xf);
    int32_t ty = y + T(2 * xf);
    // The sample time-parameter table: the default texts, the network's
    // choice of parameters, in the canvas font.
    const std::array<std::string, 6> sample{"ES", "LS", "EF", "LF", "TF", "FF"};
    const TTimeDataShowMode& m = net.timeLabelMode;
    const std::array<bool, 6> sampleShown{m.showES, m.showEF, m.showLS,
                                          m.showLF, m.showTF, m.showFF};
    const int32_t pixel = std::max(1, T(xf));
    for (size_t i = 0; i < items.size(); ++i) {
        const TItem& it = items[i];
        const TCanvasSize ts = c.TextExtent(it.text);
        const TTimeTable size =
            it.kind == 3 ? LayOutTimeTable(c, sample, sampleShown, 0, 0, pixel) : TTimeTable{};
        const int32_t itemH = it.kind == 3 ? size.rect.Height() : ts.cy;
        if (i > 0 && ty + itemH > y + ch - xf / 2) {
            colLeft += cw;
            ++columns;
            ty = y + T(2 * xf);
            columnLine();
        }
        const int32_t tx = colLeft + tx0;
        const int32_t xe = T(colLeft + cw - 2 * xf);
        const int32_t xs = std::max(tx, T(xe - 50 * xf));
        const int32_t my = ty + itemH / 2;
        c.TextOut(tx, ty + (itemH - ts.cy) / 2, it.text);
        SelectPen(c, it.color, it.width);
        if (it.kind == 0) {
            c.Line(xs, my, xe, my);
        } else if (it.kind == 1) {
            DrawDashedHLine(c, xs, xe, my, it.width, T(2 * xf));
        } else if (it.kind == 2) {
            DrawWavyLine(c, xs, my, xe, my);
        } else {
            TCanvasStateSaver keep(c);
            const int32_t left = std::max(tx, xe - size.rect.Width());
            const TTimeTable table =
                LayOutTimeTable(c, sample, sampleShown, left, ty + itemH, pixel);
            TCanvasFont font = c.Font();
            font.color = d.timeDataColor;
            c.SetFont(font);
            c.SetTextBackground(false, d.backgroundColor);
            DrawTimeTable(c, table, sample, sampleShown, mode.DrawKind == dkScreen,
                          d.backgroundColor, net.workFont.color, std::max(1, T(yf)), pixel);
        }
        ty += itemH + step;
    }
    return cw * columns;
}
