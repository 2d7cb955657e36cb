#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "model/Vqfont.h"

class TPrtWriter;
class TPrtReader;

// One ruler row of the frame: its name cell, label font, ticks and grid lines.
class Tprojectscale {
public:
    int32_t reserved1 = 1;
    int32_t reserved2 = 0;
    std::string name;
    TVqFont nameFont{"宋体", 9, 0x00FF00};
    int32_t nameWidth = 50;
    TVqFont scaleFont{"宋体", 8, 0x00FF00};
    int32_t tickWidth = 1;
    int32_t minLabelSpacing = 60;
    int32_t subTickSpacing = 5;
    int32_t lineColor = 0x808000;
    int32_t borderWidth = 1;
    bool gridLines = false;
    int32_t gridColor = 0x008080;
    int32_t gridWidth = 1;
    int32_t height = 20;

    Tprojectscale() = default;
    Tprojectscale(std::string rowName, bool grid) : name(std::move(rowName)), gridLines(grid) {}

    // Every field; fonts by name and size.
    bool operator==(const Tprojectscale& o) const = default;

    // Version 2. `gridColor` and `gridWidth` are not stored.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Files up to 1.54: fonts spelled out as name, size and colour, no version.
    void ReadOld(TPrtReader& r, double version);
};
