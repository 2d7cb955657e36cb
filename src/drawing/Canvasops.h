#pragma once
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Vqbrush.h"
#include "model/Vqfont.h"
#include "platform/Canvas.h"

// Drawing operations built on the canvas primitives, shared by every
// drawing of the project. They use the canvas' current pen unless they say
// otherwise and leave the canvas state as they found it.

// The canvas font of a project font (its colour becomes the text colour).
TCanvasFont CanvasFontOf(const TVqFont& f);
void SelectFont(ICanvas& c, const TVqFont& f);
// Applying a project brush: brush colour and pen colour become its colour,
// the brush style its style.
void SelectBrush(ICanvas& c, const TVqBrush& b);
// A solid pen (copy mode).
void SelectPen(ICanvas& c, int32_t color, int32_t width,
               TPenStyle style = TPenStyle::Solid, TPenMode mode = TPenMode::Copy);
void SelectClearBrush(ICanvas& c);

// The free-float wave from (x1, y1) to (x2, y2), with w the current pen width
// (at least 1): a straight piece of 3 units, then zig-zags of height 2w and
// half-period 6w while more than 6w + 1 units remain, then a straight line
// to the end. Nothing when x1 >= x2. Only [lo, hi] needs the zig-zags: the
// whole periods before lo and what follows the period that passes hi are
// straight pieces (a long float drawn far beyond the visible part).
std::vector<TCanvasPoint> WavyLinePoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                         int32_t w, int32_t lo = INT32_MIN,
                                         int32_t hi = INT32_MAX);
void DrawWavyLine(ICanvas& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// A triangle filled with the pen colour, outlined one unit wide.
void FillTriangle(ICanvas& c, TCanvasPoint p1, TCanvasPoint p2, TCanvasPoint p3);

// Lines and a rectangle drawn as dashes of `dash` units separated by `gap`
// units, in the current pen's colour and width. A dash or gap of 0 or less
// draws the line solid.
void DrawDashedHLine(ICanvas& c, int32_t x1, int32_t x2, int32_t y, int32_t dash, int32_t gap);
void DrawDashedVLine(ICanvas& c, int32_t x, int32_t y1, int32_t y2, int32_t dash, int32_t gap);
void DrawDashedRect(ICanvas& c, const TCanvasRect& r, int32_t dash, int32_t gap);

// Text in a rectangle, align 0 left, 1 centre, 2 right. Word-wrapped: the
// number of lines is estimated as trunc(text width / rect width) + 1 and
// that block is centred vertically; single line: centred vertically by the
// canvas. Nothing is drawn into an empty rectangle.
void DrawTextInRect(ICanvas& c, const TCanvasRect& r, const std::string& text, int32_t align,
                    bool singleLine);

// The characters of a UTF-8 text, each as its own string (a malformed byte
// counts as one character), and their count.
std::vector<std::string> Utf8Characters(const std::string& text);
size_t Utf8Length(const std::string& text);
