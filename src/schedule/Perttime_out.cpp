#include "schedule/Perttime_out.h"

#include <cmath>

namespace {

constexpr int64_t kDay = 86400;
constexpr double kNear = 1e-10;
// Values beyond this many days go the literal way; below it every partial sum
// between t and an exact indexed result is exact as well.
constexpr double kIndexedRange = 1099511627776.0;   // 2^40

double DayOf(int32_t stamp, int32_t projectStart)
{
    return double(int64_t(stamp) - int64_t(projectStart)) / double(kDay);
}

bool Passes(double t, double c, bool finish)
{
    return finish ? t > c : (t > c || std::fabs(t - c) < kNear);
}

double ShiftLiteral(const std::vector<Ttimeintval>& items, int32_t projectStart, double t,
                    bool finish)
{
    for (const Ttimeintval& p : items) {
        const double c = DayOf(p.start, projectStart);
        const double b = DayOf(p.end, projectStart);
        if (c <= 0) continue;
        if (Passes(t, c, finish)) t = t + (b - c);
    }
    return t;
}

double WorkingTimeLiteral(const std::vector<Ttimeintval>& items, int32_t projectStart, double x)
{
    double r = x;
    for (const Ttimeintval& p : items) {
        const double c = DayOf(p.start, projectStart);
        const double b = DayOf(p.end, projectStart);
        if (c > 0 && c < x) r = r - (b - c);
    }
    return r;
}

// a + b (or a - b) was computed without rounding.
bool IsExactSum(double a, double b, double sum)
{
    const double bv = sum - a;
    const double av = sum - bv;
    return (a - av) + (b - bv) == 0;
}

}

struct TPertTime_out::Index {
    int32_t projectStart = 0;
    bool indexed = false;
    // Only for the periods starting after day 0: their start days (whole
    // numbers, ascending) and the rest inserted before each, prefix[0] = 0.
    std::vector<double> startDay;
    std::vector<double> prefix;
};

void TPertTime_out::Add(const Ttimeintval& period)
{
    items_.push_back(period);
    index_.reset();
}

void TPertTime_out::Clear()
{
    items_.clear();
    index_.reset();
}

void TPertTime_out::Assign(std::vector<Ttimeintval> periods)
{
    items_ = std::move(periods);
    index_.reset();
}

const TPertTime_out::Index& TPertTime_out::IndexFor(int32_t projectStart) const
{
    if (index_ && index_->projectStart == projectStart) return *index_;

    auto ix = std::make_shared<Index>();
    ix->projectStart = projectStart;
    bool ok = true;
    for (size_t i = 0; ok && i < items_.size(); ++i) {
        const Ttimeintval& p = items_[i];
        if (p.start > p.end || (i + 1 < items_.size() && p.end > items_[i + 1].start)) ok = false;
    }
    int64_t rest = 0;
    ix->prefix.push_back(0);
    for (size_t i = 0; ok && i < items_.size(); ++i) {
        const Ttimeintval& p = items_[i];
        const int64_t from = int64_t(p.start) - projectStart;
        const int64_t to = int64_t(p.end) - projectStart;
        if (from <= 0) continue;   // ignored by every conversion
        if (from % kDay != 0 || to % kDay != 0) {
            ok = false;
            break;
        }
        // Whole numbers of days: the division is exact, as in the literal walk.
        ix->startDay.push_back(double(from / kDay));
        rest += (to - from) / kDay;
        ix->prefix.push_back(double(rest));
    }
    ix->indexed = ok;
    if (!ok) {
        ix->startDay.clear();
        ix->prefix.clear();
    }
    index_ = std::move(ix);
    return *index_;
}

bool TPertTime_out::IsIndexed(int32_t projectStart) const
{
    return IndexFor(projectStart).indexed;
}

double TPertTime_out::Shift(int32_t projectStart, double t, bool finish) const
{
    const Index& ix = IndexFor(projectStart);
    if (!ix.indexed || !(std::fabs(t) < kIndexedRange))
        return ShiftLiteral(items_, projectStart, t, finish);

    // The periods passed form a prefix: once the running value stops short
    // of a period it stops short of every later one. Find the first period
    // that is not passed, keeping passes(lo) and !passes(hi).
    const int64_t m = int64_t(ix.startDay.size());
    int64_t lo = -1;
    int64_t hi = m;
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (Passes(t + ix.prefix[size_t(mid)], ix.startDay[size_t(mid)], finish))
            lo = mid;
        else
            hi = mid;
    }
    if (hi == 0) return t;   // also keeps the sign of -0
    const double r = t + ix.prefix[size_t(hi)];
    // With t + prefix exact, every running value of the walk is exact too and
    // equal to the probes above, so the walk takes the same decisions.
    if (!IsExactSum(t, ix.prefix[size_t(hi)], r)) return ShiftLiteral(items_, projectStart, t, finish);
    return r;
}

double TPertTime_out::CalendarDay(int32_t projectStart, double t) const
{
    return Shift(projectStart, t, false);
}

double TPertTime_out::CalendarDayOfFinish(int32_t projectStart, double t) const
{
    return Shift(projectStart, t, true);
}

double TPertTime_out::WorkingTime(int32_t projectStart, double x) const
{
    const Index& ix = IndexFor(projectStart);
    if (!ix.indexed || !(std::fabs(x) < kIndexedRange))
        return WorkingTimeLiteral(items_, projectStart, x);

    // Start days ascend, so the periods starting before x are a prefix.
    size_t k = 0;
    size_t n = ix.startDay.size();
    while (n > 0) {
        const size_t half = n / 2;
        if (ix.startDay[k + half] < x) {
            k += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    if (k == 0) return x;
    const double r = x - ix.prefix[k];
    if (!IsExactSum(x, -ix.prefix[k], r)) return WorkingTimeLiteral(items_, projectStart, x);
    return r;
}
