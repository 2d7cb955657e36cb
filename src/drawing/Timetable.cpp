#include "drawing/Timetable.h"

#include <algorithm>

#include "drawing/Canvasops.h"

namespace {

// Per column: the texts (ES, LS, EF, LF, TF, FF order) and the shown flags
// (stored order) of its top and bottom row.
constexpr std::array<std::array<int, 2>, 3> kTextOf{{{0, 2}, {1, 3}, {4, 5}}};
constexpr std::array<std::array<int, 2>, 3> kShownOf{{{0, 1}, {2, 3}, {4, 5}}};

}

TTimeTable LayOutTimeTable(const ICanvas& c, const std::array<std::string, 6>& texts,
                           const std::array<bool, 6>& shown, int32_t left, int32_t bottom,
                           int32_t pixel)
{
    TTimeTable t;
    t.rowHeight = c.TextExtent("0").cy;
    int32_t x = left;
    bool any = false;
    for (size_t col = 0; col < 3; ++col) {
        const bool top = shown[size_t(kShownOf[col][0])];
        const bool low = shown[size_t(kShownOf[col][1])];
        t.colShown[col] = top || low;
        if (!t.colShown[col]) continue;
        int32_t w = 0;
        if (top) w = std::max(w, c.TextExtent(texts[size_t(kTextOf[col][0])]).cx);
        if (low) w = std::max(w, c.TextExtent(texts[size_t(kTextOf[col][1])]).cx);
        if (any) {
            const int32_t sep = col == 2 ? 2 * pixel : pixel;
            if (t.ruleCount < 2) t.rules[size_t(t.ruleCount++)] = x + sep / 2;
            x += sep;
        }
        t.colX[col] = x;
        x += w;
        any = true;
    }
    t.rect = TCanvasRect{left, bottom - 2 * t.rowHeight, x, bottom};
    return t;
}

void DrawTimeTable(ICanvas& c, const TTimeTable& t, const std::array<std::string, 6>& texts,
                   const std::array<bool, 6>& shown, bool fill, int32_t fillColor,
                   int32_t borderColor, int32_t rowPen, int32_t pixel,
                   const TTimeTableWriter& write)
{
    if (t.rect.IsEmpty()) return;
    if (fill) {
        c.SetBrush(TCanvasBrush{fillColor, TBrushStyle::Solid});
        c.FillRect(t.rect);
    }
    SelectPen(c, borderColor, rowPen);
    const int32_t mid = t.rect.top + t.rowHeight;
    c.Line(t.rect.left, mid, t.rect.right, mid);
    SelectPen(c, borderColor, pixel);
    for (int32_t i = 0; i < t.ruleCount; ++i)
        c.Line(t.rules[size_t(i)], t.rect.top, t.rules[size_t(i)], t.rect.bottom);
    for (size_t col = 0; col < 3; ++col) {
        if (!t.colShown[col]) continue;
        for (size_t r = 0; r < 2; ++r) {
            if (!shown[size_t(kShownOf[col][r])]) continue;
            const int32_t y = t.rect.top + int32_t(r) * t.rowHeight;
            const std::string& text = texts[size_t(kTextOf[col][r])];
            if (write) write(t.colX[col], y, text);
            else c.TextOut(t.colX[col], y, text);
        }
    }
}
