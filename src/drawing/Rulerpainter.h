#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Tpertgrid.h"

class ICanvas;

// What a ruler row needs of the drawing it stands in: where a calendar day
// lies and how wide days are. The network's frame answers with its time
// axis (ruler variant of XOfTime); the Gantt chart's frame with its own.
class IRulerAxis {
public:
    virtual ~IRulerAxis() = default;
    // x of the start of calendar day `day`, drawing units.
    virtual double XOfDay(double day) const = 0;
    // Width of one day at `day`, drawing units.
    virtual double DayWidthAt(double day) const = 0;
    // The time scale's default day width.
    virtual double DefaultDayWidth() const = 0;
};

// The band one row is drawn in, device units.
struct TRulerBand {
    double top = 0;          // upper edge
    double left = 0;         // row left (the name cell starts here)
    double right = 0;        // right end of the row
    bool nameCell = true;    // the frame is shown: name cell and its border
    bool upperEdge = false;  // border line along the upper edge (rows below the network)
    bool lowerEdge = true;   // along the lower edge (rows above the network)
};

// Everything the rows of one frame share.
struct TRulerSetup {
    ICanvas* canvas = nullptr;
    double xf = 1;
    double yf = 1;
    const IRulerAxis* axis = nullptr;
    double endDay = 0;          // calendar day of the plan's end
    int32_t projectStart = 0;   // stored time of day 0 (00:00)
    double gridTop = 0;         // vertical extent of grid lines, device units
    double gridBottom = 0;
    bool yearShown = false;     // the year row stands at the top: months without the year
    float dayStep = 1.0f;       // smallest step of the natural-day row
};

// Draws the ruler rows. Every walk over the days is bounded by the plan's
// end (and by kMaxDays), steps that do not fit are 0 and draw no labels,
// and days of width 0 get no label.
class TRulerPainter {
public:
    // Longest plan the rows walk day by day (about 2700 years); a damaged
    // file with a far-off node time stops there instead of hanging the pass.
    static constexpr double kMaxDays = 1e6;

    explicit TRulerPainter(const TRulerSetup& setup);

    // Draws one row of the kind with the settings of `row`. The day row
    // gives `row` the name of what it shows ("日", "旬", "半月", or two
    // spaces when even half months do not fit).
    void Draw(TRulerKind kind, Tprojectscale& row, const TRulerBand& band);

    // ---- steps, exposed for the tests ----
    // Project-day labels: the smallest s of 1, 2, 5, 10, 20, 30, ... with
    // s x dayWidth > minLabelSpacing; 0 for a day of no width.
    static int32_t ProjectDayStep(double dayWidth, int32_t minLabelSpacing);
    // Natural days: the smallest m with m x deviceDayWidth > need, at least
    // ceil(dayStep), 10..13 as 10 and above 13 as 15; 0 for no width.
    static int32_t NaturalDayStep(double deviceDayWidth, double need, float dayStep);
    // Project weeks and months: the smallest multiple k >= m of m with
    // k x dayWidth > 18 (both sides in drawing units); 0 for no width.
    static int32_t PeriodStep(int32_t m, double dayWidth);
    // Smallest n >= 1 with n x dayWidth > 18; a large number for no width.
    static int32_t NarrowDays(double dayWidth);

    // The mode the day row is drawn in for these settings.
    TRulerKind DayRowMode(const Tprojectscale& row) const;

private:
    struct TBand;

    int32_t X(double day) const;
    double DeviceDayWidth(double day) const { return setup_.xf * setup_.axis->DayWidthAt(day); }
    int32_t LastDay() const;

    void DrawBorder(const Tprojectscale& row, const TBand& b, const std::string& name);
    void SelectTickPen(const Tprojectscale& row);
    void FullTick(const TBand& b, int32_t x);
    void Tick(const TBand& b, int32_t x, double length);
    void Grid(const Tprojectscale& row, int32_t x);
    void LabelBetween(const TBand& b, int32_t x1, int32_t x2, const std::string& text);
    void LabelAt(const TBand& b, int32_t x, const std::string& text);
    // The text of each band between x1 and x2 of a row, drawn whole: centred
    // in the band shrunk by inset when it fits; see the .cpp for the bands
    // at the ends of the row.
    struct TBandLabel {
        int32_t x1, x2;
        std::string text;
    };
    void WholeLabels(const TBand& b, const std::vector<TBandLabel>& labels, int32_t inset);

    void DrawProjectDays(const Tprojectscale& row, const TBand& b);
    void DrawDays(const Tprojectscale& row, const TBand& b);
    void DrawPeriodsOfMonth(const Tprojectscale& row, const TBand& b, bool tenDays);
    void DrawMonths(const Tprojectscale& row, const TBand& b);
    void DrawYears(const Tprojectscale& row, const TBand& b);
    void DrawProjectPeriods(const Tprojectscale& row, const TBand& b, int32_t m);
    void DrawWeekdays(const Tprojectscale& row, const TBand& b);

    TRulerSetup setup_;
};
