#pragma once
#include <array>
#include <cstdint>

#include "drawing/Pertexplain.h"
#include "drawing/Projectscale.h"
#include "model/Vqbrush.h"

class TPrtWriter;
class TPrtReader;

// The frame of one drawing: which ruler rows stand above and below the
// network, the eight ruler rows, margins, border, colour sets, rest-day
// brushes and the explanation block. The 12 reserved bytes that lead the
// stored frame are written as zeros and not kept.
class Tpertgrid {
public:
    static constexpr int kScaleCount = 8;
    static constexpr int kColorCount = 5;

    bool topYear = false;
    bool topMonth = true;
    bool topHalfMonth = false;
    bool topTenDays = false;
    bool topDay = true;
    bool topProjectWeek = false;
    bool topProjectMonth = false;
    bool topProjectDay = true;
    bool topWeekday = false;
    bool byProjectCalendar = false;
    float dayStep = 1.0f;
    // 0 project days, 1 years, 2 months, 3 project months, 4 project weeks,
    // 5 weeks (stored only), 6 weekdays, 7 calendar days.
    std::array<Tprojectscale, kScaleCount> scales{
        Tprojectscale("工程标尺", false), Tprojectscale("年", false),
        Tprojectscale("月", false),       Tprojectscale("工程月", false),
        Tprojectscale("工程周", false),   Tprojectscale("周", false),
        Tprojectscale("星期", false),     Tprojectscale("日", true)};
    Tpertexplain explain;
    int32_t leftBlockWidth = 200;
    int32_t rightMargin = 50;
    int32_t bottomMargin = 60;
    int32_t topMargin = 60;
    int32_t frameColor = 0x808000;
    int32_t frameWidth = 5;
    // Slots: 0 border, 1 name-cell font, 2 label font, 3 ticks and row borders, 4 grid lines.
    std::array<int32_t, kColorCount> printColors{0, 0, 0, 0, 0};
    std::array<int32_t, kColorCount> screenColors{0xB4B400, 0x00FF00, 0x00FF00, 0xB4B400,
                                                  0x008080};
    TVqBrush screenRestBrush{5, 0x808080};
    TVqBrush printRestBrush{5, 0x808080};
    bool bottomEnabled = true;
    bool bottomYear = false;
    bool bottomMonth = true;
    bool bottomHalfMonth = false;
    bool bottomTenDays = false;
    bool bottomDay = true;
    bool bottomProjectWeek = false;
    bool bottomProjectMonth = false;
    bool bottomProjectDay = true;
    bool bottomWeekday = false;

    // Every field; fonts by name and size.
    bool operator==(const Tpertgrid& o) const = default;

    // Version 2 with the rulers, the explanation block and both rest brushes.
    void Write(TPrtWriter& w) const;
    // A record below version 2 is skipped whole: the frame keeps its values.
    void Read(TPrtReader& r);
    // Files up to 1.54 (no version): explanation blocks after each colour set
    // up to 1.529, brushes after 1.519, bottom flags after 1.529.
    void ReadOld(TPrtReader& r, double version);

private:
    void WriteTopFlags(TPrtWriter& w) const;
    void ReadTopFlags(TPrtReader& r);
    void WriteBottomFlags(TPrtWriter& w) const;
    void ReadBottomFlags(TPrtReader& r);
};
