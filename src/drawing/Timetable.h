#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Canvas.h"

// The little table of a work's six time parameters, laid out in the canvas
// font: columns ES/EF, LS/LF and TF/FF (top/bottom), each as wide as its
// wider shown text, `pixel` apart (twice that before the third column), two
// rows one text height high. A work's label in the network and the sample
// in the legend are both this table.
struct TTimeTable {
    TCanvasRect rect;                  // lower-left corner as asked, right edge after the last column
    int32_t rowHeight = 0;
    std::array<int32_t, 3> colX{};
    std::array<bool, 3> colShown{};
    std::array<int32_t, 2> rules{};    // x of the rules between shown columns
    int32_t ruleCount = 0;
};

// `texts` in the order ES, LS, EF, LF, TF, FF; `shown` in the stored order
// ES, EF, LS, LF, TF, FF.
TTimeTable LayOutTimeTable(const ICanvas& c, const std::array<std::string, 6>& texts,
                           const std::array<bool, 6>& shown, int32_t left, int32_t bottom,
                           int32_t pixel);

// Fill (when `fill`), the rule between the rows (`rowPen` wide) and between
// shown columns (`pixel` wide) in `borderColor`, then the shown texts in the
// canvas font, written through `write` (TextOut when empty).
using TTimeTableWriter = std::function<void(int32_t x, int32_t y, const std::string& text)>;
void DrawTimeTable(ICanvas& c, const TTimeTable& t, const std::array<std::string, 6>& texts,
                   const std::array<bool, 6>& shown, bool fill, int32_t fillColor,
                   int32_t borderColor, int32_t rowPen, int32_t pixel,
                   const TTimeTableWriter& write = {});
