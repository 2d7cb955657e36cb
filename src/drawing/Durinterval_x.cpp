#include "drawing/Durinterval_x.h"

#include <limits>

#include "file/Prtstream.h"

namespace {
constexpr double kEps = 1e-8;

bool Same(double a, double b) { return a - b < kEps && b - a < kEps; }
bool Less(double a, double b) { return a < b - kEps; }
bool AtMost(double a, double b) { return a < b + kEps; }

// Smallest stored span: its version alone when that is too old to carry more.
constexpr size_t kMinSpanBytes = 4;
constexpr size_t kOldSpanBytes = 24;
}

void Tlistdurinterval_x::SetDayWidth(double start, double end, double w)
{
    if (start < 0) {
        dayWidth = w;
        return;
    }
    const Tdurinterval_x n{start, end, w};
    std::vector<Tdurinterval_x> out;
    out.reserve(intervals.size() + 1);
    size_t i = 0;
    bool placed = false;
    for (; i < intervals.size() && !placed; ++i) {
        Tdurinterval_x e = intervals[i];
        const double es = e.startDay, ee = e.endDay;
        if (Same(n.startDay, es) && Same(n.endDay, ee)) {
            e.width = w;
            out.push_back(e);
            placed = true;
        } else if (AtMost(n.endDay, es)) {
            out.push_back(n);
            out.push_back(e);
            placed = true;
        } else if (Less(n.startDay, es) && Less(es, n.endDay) && Less(n.endDay, ee)) {
            e.startDay = n.endDay;
            out.push_back(n);
            out.push_back(e);
            placed = true;
        } else if (Less(es, n.startDay) && Less(n.startDay, ee) && Less(ee, n.endDay)) {
            e.endDay = n.startDay;
            out.push_back(e);
        } else if ((AtMost(n.startDay, es) && AtMost(ee, n.endDay)) ||
                   (AtMost(es, n.startDay) && AtMost(n.endDay, ee))) {
            // covered by the new span, or the new span lies inside it: dropped
        } else {
            out.push_back(e);
        }
    }
    out.insert(out.end(), intervals.begin() + static_cast<std::ptrdiff_t>(i), intervals.end());
    if (!placed) out.push_back(n);
    intervals = std::move(out);
}

void Tlistdurinterval_x::Write(TPrtWriter& w) const
{
    w.WriteInt32(2);
    w.WriteDouble(dayWidth);
    w.WriteInt32(static_cast<int32_t>(intervals.size()));
    for (const Tdurinterval_x& e : intervals) {
        w.WriteInt32(2);
        w.WriteDouble(e.startDay);
        w.WriteDouble(e.endDay);
        w.WriteDouble(e.width);
    }
}

// Spans come from the file one by one. A span that starts after everything
// read so far (our writer's normal case) lands at the end under SetDayWidth's
// rule anyway, so it is appended directly and a long list does not cost a
// walk per span. Spans with a negative day are skipped: SetDayWidth would take
// them for a new default width.
template <class ReadSpan>
void Tlistdurinterval_x::ReadSpans(TPrtReader& r, size_t minSpanBytes, ReadSpan readSpan)
{
    bool ordered = intervals.empty();
    double lastEnd = -std::numeric_limits<double>::infinity();
    int32_t n = r.ReadCount(minSpanBytes);
    for (int32_t k = 0; k < n; ++k) {
        Tdurinterval_x e;
        if (!readSpan(e)) continue;
        if (e.startDay < 0 || e.endDay < 0) continue;
        if (ordered && e.startDay >= lastEnd && Less(e.startDay, e.endDay)) {
            intervals.push_back(e);
            lastEnd = e.endDay;
        } else {
            ordered = false;
            SetDayWidth(e.startDay, e.endDay, e.width);
        }
    }
}

void Tlistdurinterval_x::Read(TPrtReader& r)
{
    if (r.ReadInt32() < 2) return;
    dayWidth = r.ReadDouble();
    ReadSpans(r, kMinSpanBytes, [&r](Tdurinterval_x& e) {
        if (r.ReadInt32() < 2) return false;
        e.startDay = r.ReadDouble();
        e.endDay = r.ReadDouble();
        e.width = r.ReadDouble();
        return true;
    });
}

void Tlistdurinterval_x::ReadOld(TPrtReader& r, double)
{
    dayWidth = r.ReadDouble();
    ReadSpans(r, kOldSpanBytes, [&r](Tdurinterval_x& e) {
        e.startDay = r.ReadDouble();
        e.endDay = r.ReadDouble();
        e.width = r.ReadDouble();
        return true;
    });
}

double Tlistdurinterval_x::XOfDay(double day) const
{
    double c = dayWidth * day;
    for (const Tdurinterval_x& e : intervals) {
        if (e.startDay < 0 || e.endDay < 0) continue;
        if (day < e.startDay) break;
        if (day < e.endDay) {
            c -= (dayWidth - e.width) * (day - e.startDay);
            break;
        }
        c -= (e.endDay - e.startDay) * (dayWidth - e.width);
    }
    return c < 1e-8 && c > -1e-8 ? 0.0 : c;
}

double Tlistdurinterval_x::DayOfX(double x) const
{
    // Divisions by a width of 0 would give infinities: such days have no
    // inner point, so x is taken to lie at their start.
    auto along = [](double day, double dx, double width) {
        return width > 0 ? day + dx / width : day;
    };
    double candidate = along(0, x, dayWidth);
    for (const Tdurinterval_x& e : intervals) {
        const double xs = XOfDay(e.startDay);
        if (x <= xs) return along(e.startDay, -(xs - x), dayWidth);
        const double xe = XOfDay(e.endDay);
        if (x <= xe) return along(e.endDay, -(xe - x), e.width);
        candidate = along(e.endDay, x - xe, dayWidth);
    }
    return candidate;
}

double Tlistdurinterval_x::DayWidthAt(double day) const
{
    if (day < 0) return dayWidth;
    for (const Tdurinterval_x& e : intervals)
        if (e.startDay <= day && day <= e.endDay) return e.width;
    return dayWidth;
}
