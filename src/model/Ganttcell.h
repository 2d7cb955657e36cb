#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Position2d.h"
#include "model/Vqfont.h"

// One drawn cell of the Gantt table: its text lines, font, place and size in
// drawing units, alignment and the pen of its right and bottom lines. The
// text and the width it was wrapped to are kept so that a drawing pass can
// wrap it again on its own canvas.
class TGanttCell {
public:
    std::vector<std::string> lines;
    TVqFont font;
    TPosition2D origin;
    double width = 0;
    double height = 0;
    int32_t align = 0;  // 0 left, 1 centre, 2 right
    double lineWidth = 1.0;
    int32_t lineColor = 0x00FF00;
    std::string text;
    double wrapWidth = 0;
    int32_t wrapMode = 0;
};
