#pragma once
#include <cstddef>
#include <vector>

class TPrtWriter;
class TPrtReader;

// A span of calendar days [startDay, endDay) drawn `width` units per day.
class Tdurinterval_x {
public:
    double startDay = 0;
    double endDay = 0;
    double width = 10.0;

    Tdurinterval_x() = default;
    Tdurinterval_x(double s, double e, double w) : startDay(s), endDay(e), width(w) {}

    bool operator==(const Tdurinterval_x& o) const = default;
};

// The horizontal time scale: a default day width and stretched or squeezed
// spans, kept in ascending order without overlaps.
class Tlistdurinterval_x {
public:
    double dayWidth = 10.0;
    std::vector<Tdurinterval_x> intervals;

    // With start < 0 sets the default width; otherwise gives [start, end] the
    // width w, replacing, trimming or dropping the spans it meets.
    void SetDayWidth(double start, double end, double w);

    // Width of the calendar days from day 0 up to `day` (|result| < 1e-8 is 0).
    double XOfDay(double day) const;
    // The day at width x from day 0 (the inverse of XOfDay; hidden days are
    // skipped, a zero default width gives the span's start).
    double DayOfX(double x) const;
    // Width of one day at `day`: the span's width for a span with
    // startDay <= day <= endDay, else dayWidth; a negative day has dayWidth.
    double DayWidthAt(double day) const;

    bool operator==(const Tlistdurinterval_x& o) const = default;

    // int32 2, float64 dayWidth, int32 count, then per span int32 2 and three float64.
    void Write(TPrtWriter& w) const;
    // Record versions below 2 leave the scale as it is; spans are inserted
    // with the rule of SetDayWidth.
    void Read(TPrtReader& r);
    // The same without any version fields.
    void ReadOld(TPrtReader& r, double version);

private:
    template <class ReadSpan>
    void ReadSpans(TPrtReader& r, size_t minSpanBytes, ReadSpan readSpan);
};
