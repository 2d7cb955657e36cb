#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "drawing/Pertexplain.h"
#include "drawing/Projectscale.h"
#include "model/Vqbrush.h"

class TPrtWriter;
class TPrtReader;
class Tpertgra;
class TPertDrawMode;

// The kinds of ruler row a frame can show.
enum class TRulerKind : int32_t {
    ProjectDay,    // row 0, project days from 0
    Year,          // row 1
    Month,         // row 2
    ProjectMonth,  // row 3, periods of 30 days
    ProjectWeek,   // row 4, periods of 7 days
    Weekday,       // row 6
    HalfMonth,     // settings of row 7
    TenDays,       // settings of row 7
    Day,           // row 7; drawn as ten days or half months when days are narrow
};

// One visible ruler row: its kind and the index of the row whose settings it uses.
struct TRulerRowRef {
    TRulerKind kind = TRulerKind::ProjectDay;
    int32_t scale = 0;
    bool operator==(const TRulerRowRef&) const = default;
};

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

    // The rows above the network, from the top down. With byProjectCalendar
    // only project months, weeks and days; otherwise project weeks, project
    // days, years, months, weekdays, half months, ten days and days.
    std::vector<TRulerRowRef> VisibleTopRows() const;
    // The rows below the network in the same order, drawn from the bottom
    // edge upwards (the first one lowest).
    std::vector<TRulerRowRef> VisibleBottomRows() const;
    // Sum of the heights of those rows, drawing units.
    int32_t TopRowsHeight() const;
    int32_t BottomRowsHeight() const;
    // Room of the explanation block: its width when it stands right of the
    // drawing, its height when it stands below, else 0 (drawing units).
    int32_t ExplainWidth() const;
    int32_t ExplainHeight() const;

    // Copy one colour set into the working colours: slot 0 the border, for
    // every row 1 the name font, 2 the label font, 3 the ticks and borders,
    // 4 the grid lines; the explanation fonts take their screen or print colour.
    void ApplyScreenColors();
    void ApplyPrintColors();

    // Rest-day bands, top ruler rows, start and end lines, border and bottom
    // ruler rows of the network's time-scaled drawing (views 1 and 3), in the
    // pass's factors. The room of the explanation block stays empty. The day
    // row renames itself ("日", "旬", "半月" or two spaces) as it is drawn.
    void DrawFrame(const Tpertgra& net, const TPertDrawMode& mode);

    // Version 2 with the rulers, the explanation block and both rest brushes.
    void Write(TPrtWriter& w) const;
    // A record below version 2 is skipped whole: the frame keeps its values.
    void Read(TPrtReader& r);
    // Files up to 1.54 (no version): explanation blocks after each colour set
    // up to 1.529, brushes after 1.519, bottom flags after 1.529.
    void ReadOld(TPrtReader& r, double version);

private:
    void ApplyColors(const std::array<int32_t, kColorCount>& set, bool print);
    void WriteTopFlags(TPrtWriter& w) const;
    void ReadTopFlags(TPrtReader& r);
    void WriteBottomFlags(TPrtWriter& w) const;
    void ReadBottomFlags(TPrtReader& r);
};
