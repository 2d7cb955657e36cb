#pragma once
#include <cstdint>
#include <string>

#include "platform/Canvas.h"

class Tpertgra;
class Tpertgrid;
class TPertDrawMode;
struct TFrameLayout;

// The project title above the drawing: its lines ("\" separates them)
// centred between the left edge and `rightEdge` (device units), the last
// line directly above the title gap.
void DrawTitle(const Tpertgra& net, const TPertDrawMode& mode, int32_t rightEdge);

// The explanation block of the frame in the room the layout reserves: right
// of the drawing (show mode 1) or along its bottom (2); nothing in mode 0.
// Expects the frame's pen on the canvas. Writes the automatic cells and the
// corners and heights of the title tables and the legend into the block.
// The frame's left, top, right and bottom edges are those of `frame`. The
// Gantt chart's frame draws it without the legend.
void DrawExplanation(Tpertgrid& grid, const Tpertgra& net, const TPertDrawMode& mode,
                     const TFrameLayout& frame, bool legend = true);

// The automatic cells of the title block: the plan's start date, its end
// date (start + whole calendar days of the plan - 1) and its total duration
// in working days.
std::string AutoStartText(const Tpertgra& net);
std::string AutoEndText(const Tpertgra& net);
std::string AutoDurationText(const Tpertgra& net);

// One line of text vertically centred in (x, y, x + w, y + h - pen width);
// align 0 centred, 1 left, 2 right. No border.
void WriteCell(ICanvas& c, int32_t x, int32_t y, int32_t w, int32_t h, const std::string& text,
               int32_t align);
// Breaks the text into lines narrower than `width` (at least one character
// a line) and writes them left-aligned from (x, y) down; returns the height
// written.
int32_t WrapText(ICanvas& c, int32_t x, int32_t y, const std::string& text, int32_t width);
