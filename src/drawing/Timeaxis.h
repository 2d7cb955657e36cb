#pragma once
#include <cstdint>
#include <vector>

class Tpertgra;
class Tlistdurinterval_x;

// x of calendar day 0 of the time-scaled drawing, drawing units:
// origin.x + group column width + name width of ruler row 0 with the frame
// shown, origin.x without it.
double X0(const Tpertgra& net);
// y of row 0: origin.y + height of the visible top ruler rows + topMargin
// with the frame shown, origin.y without it.
double Y0(const Tpertgra& net);
// Height of one row (the display setting).
double RowHeight(const Tpertgra& net);

// Which displacement entries XOfTime counts at a day d (two days are the
// same when closer than 1e-8):
enum class TShiftCount {
    Before,      // entries strictly before d: node positions, start line, progress line
    Ruler,       // those, plus the smallest displacement of an entry at d: ruler ticks
    AtOrBefore,  // entries before or at d: work lines, the end of the drawing
};

// A day and how far a point lies right of that day's x (DayAtX).
struct TDayAtX {
    double day = 0;
    double offset = 0;
};

// One displacement entry on the calendar-day axis.
struct TAxisShift {
    double day = 0;
    int32_t shift = 0;
    int32_t firstShift = 0;
};

// The horizontal time axis of one drawing: X0, the time scale and the
// displacement table with its days converted to calendar days. Built once
// per pass (or per single query) from the network; every XOfTime is a
// search in sorted prefix sums, not a walk over the table, so a pass over
// all nodes stays n log n however many days are displaced.
// The axis reads the network's time scale; it must not outlive it.
class TTimeAxis {
public:
    // X0 and the time scale of the network, its displacement entries at
    // CalendarDay of their day.
    explicit TTimeAxis(const Tpertgra& net);
    // Any other axis; entries in table order, days already calendar days.
    TTimeAxis(double x0, const Tlistdurinterval_x& scale, std::vector<TAxisShift> entries);

    double X0() const { return x0_; }
    const Tlistdurinterval_x& Scale() const { return *scale_; }
    bool HasShifts() const { return !table_.empty(); }
    const std::vector<TAxisShift>& Entries() const { return table_; }

    // X0 + XOfDay(day) + the displacements counted at the day.
    double XOfTime(double day, TShiftCount count = TShiftCount::Before) const;
    // XOfTime of the calendar day of working time t taken as a start
    // (CalendarDay): a work's start counts the entries at or before it; the
    // progress line asks with Before. An axis not made from a network takes
    // t as a calendar day.
    double XOfWorkTime(double t, TShiftCount count = TShiftCount::AtOrBefore) const;
    // x of the plan's end (ProjectEndDay, its displacements counted): the
    // end line and the right end of the rulers. It passes through a
    // displaced end node also where a rest period begins at the end.
    double ProjectEndX() const;
    // Sum of the displacements counted at the day.
    int64_t ShiftAt(double day, TShiftCount count) const;

    // The inverse of XOfTime: the calendar day under x and, when x lies in
    // the room a displacement opened at a day, that day with x's offset from
    // the day's undisplaced position.
    TDayAtX DayAtX(double x) const;

private:
    void Index();

    double x0_ = 0;
    const Tpertgra* net_ = nullptr;
    const Tlistdurinterval_x* scale_;
    std::vector<TAxisShift> table_;
    std::vector<double> days_;            // sorted
    std::vector<int64_t> shiftPrefix_;    // prefix sums over days_, [0] = 0
    std::vector<int64_t> firstPrefix_;
};
