#include "drawing/Canvasops.h"

#include <algorithm>

TCanvasFont CanvasFontOf(const TVqFont& f)
{
    TCanvasFont c;
    c.name = f.name;
    c.size = f.size;
    c.color = f.color;
    c.style = f.style;
    c.charset = f.charset;
    return c;
}

void SelectFont(ICanvas& c, const TVqFont& f)
{
    c.SetFont(CanvasFontOf(f));
}

void SelectBrush(ICanvas& c, const TVqBrush& b)
{
    const int32_t style = b.style >= 0 && b.style <= 7 ? b.style : 0;
    c.SetBrush(TCanvasBrush{b.color, static_cast<TBrushStyle>(style)});
    TCanvasPen p = c.Pen();
    p.color = b.color;
    c.SetPen(p);
}

void SelectPen(ICanvas& c, int32_t color, int32_t width, TPenStyle style, TPenMode mode)
{
    TCanvasPen p;
    p.color = color;
    p.width = width;
    p.style = style;
    p.mode = mode;
    c.SetPen(p);
}

void SelectClearBrush(ICanvas& c)
{
    TCanvasBrush b = c.Brush();
    b.style = TBrushStyle::Clear;
    c.SetBrush(b);
}

std::vector<TCanvasPoint> WavyLinePoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                         int32_t w, int32_t lo, int32_t hi)
{
    std::vector<TCanvasPoint> pts;
    if (x1 >= x2) return pts;
    // A pen of width 0 still draws one unit; a zero period would never end.
    w = std::max(1, w);
    const int32_t half = 6 * w;
    int32_t x = std::min(x1 + 3, x2);
    pts.push_back({x1, y1});
    pts.push_back({x, y1});
    // Whole periods left of lo become one straight piece.
    if (x < lo && x2 - x > 2 * half + 1) {
        const int64_t skip = std::min<int64_t>(int64_t(lo) - x, int64_t(x2) - x - 2 * half - 1) /
                             (2 * half);
        if (skip > 0) {
            x = int32_t(int64_t(x) + skip * 2 * half);
            pts.push_back({x, y1});
        }
    }
    while (x2 - x > half + 1 && x <= hi) {
        pts.push_back({x + 3 * w, y1 - 2 * w});
        pts.push_back({x + half, y1});
        x += half;
        if (x2 - x <= half + 1) break;
        pts.push_back({x + 3 * w, y1 + 2 * w});
        pts.push_back({x + half, y1});
        x += half;
    }
    pts.push_back({x2, y2});
    return pts;
}

void DrawWavyLine(ICanvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const std::vector<TCanvasPoint> pts = WavyLinePoints(x1, y1, x2, y2, c.Pen().width);
    if (!pts.empty()) c.Polyline(pts);
}

void FillTriangle(ICanvas& c, TCanvasPoint p1, TCanvasPoint p2, TCanvasPoint p3)
{
    TCanvasStateSaver keep(c);
    TCanvasPen p = c.Pen();
    p.width = 1;
    p.style = TPenStyle::Solid;
    c.SetPen(p);
    c.SetBrush(TCanvasBrush{p.color, TBrushStyle::Solid});
    c.Polygon({p1, p2, p3});
}

namespace {

void DashedLine(ICanvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t dash,
                int32_t gap)
{
    if (dash <= 0 || gap <= 0) {
        c.Line(x1, y1, x2, y2);
        return;
    }
    TCanvasStateSaver keep(c);
    TCanvasPen p = c.Pen();
    p.style = TPenStyle::Custom;
    p.dash = dash;
    p.gap = gap;
    c.SetPen(p);
    c.Line(x1, y1, x2, y2);
}

}

void DrawDashedHLine(ICanvas& c, int32_t x1, int32_t x2, int32_t y, int32_t dash, int32_t gap)
{
    if (x2 < x1) std::swap(x1, x2);
    DashedLine(c, x1, y, x2, y, dash, gap);
}

void DrawDashedVLine(ICanvas& c, int32_t x, int32_t y1, int32_t y2, int32_t dash, int32_t gap)
{
    if (y2 < y1) std::swap(y1, y2);
    DashedLine(c, x, y1, x, y2, dash, gap);
}

void DrawDashedRect(ICanvas& c, const TCanvasRect& r, int32_t dash, int32_t gap)
{
    DrawDashedHLine(c, r.left, r.right, r.top, dash, gap);
    DrawDashedVLine(c, r.right, r.top, r.bottom, dash, gap);
    DrawDashedHLine(c, r.left, r.right, r.bottom, dash, gap);
    DrawDashedVLine(c, r.left, r.top, r.bottom, dash, gap);
}

void DrawTextInRect(ICanvas& c, const TCanvasRect& r, const std::string& text, int32_t align,
                    bool singleLine)
{
    if (r.IsEmpty() || text.empty()) return;
    TTextFormat f;
    f.hAlign = align == 1 ? TTextFormat::Center : align == 2 ? TTextFormat::Right
                                                             : TTextFormat::Left;
    if (singleLine) {
        f.singleLine = true;
        f.vAlign = TTextFormat::Middle;
        c.DrawText(r, text, f);
        return;
    }
    const TCanvasSize ext = c.TextExtent(text);
    const int32_t lines = ext.cx / r.Width() + 1;
    const int32_t block = lines * ext.cy;
    TCanvasRect inner = r;
    inner.top = r.top + std::max(0, (r.Height() - block) / 2);
    f.wordWrap = true;
    c.DrawText(inner, text, f);
}

namespace {

size_t CharLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}

std::vector<std::string> Utf8Characters(const std::string& text)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        size_t n = CharLength(static_cast<unsigned char>(text[i]));
        // A cut-off sequence or stray continuation bytes: one byte at a time.
        bool ok = i + n <= text.size();
        for (size_t k = 1; ok && k < n; ++k)
            ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!ok) n = 1;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

size_t Utf8Length(const std::string& text)
{
    return Utf8Characters(text).size();
}
