#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "schedule/Perttime_out.h"

namespace {

constexpr int32_t kDay = 86400;

// The three conversions transcribed literally: walk the periods in list order.
double DayOf(int32_t s, int32_t ps)
{
    return (double(s) - double(ps)) / 86400;
}

double WalkCalendarDay(const std::vector<Ttimeintval>& list, int32_t ps, double t, bool finish)
{
    for (const Ttimeintval& p : list) {
        const double c = DayOf(p.start, ps);
        const double b = DayOf(p.end, ps);
        if (c <= 0) continue;
        if (t > c || (!finish && std::fabs(t - c) < 1e-10)) t = t + (b - c);
    }
    return t;
}

double WalkWorkingTime(const std::vector<Ttimeintval>& list, int32_t ps, double x)
{
    double r = x;
    for (const Ttimeintval& p : list) {
        const double c = DayOf(p.start, ps);
        const double b = DayOf(p.end, ps);
        if (c > 0 && c < x) r = r - (b - c);
    }
    return r;
}

enum class Kind { Sorted, Unsorted, Overlapping, OffMidnight, Reversed };

struct Plan {
    int32_t projectStart;
    std::vector<Ttimeintval> list;
};

Plan RandomPlan(std::mt19937& rng, Kind kind)
{
    std::uniform_int_distribution<int32_t> count(0, 24);
    std::uniform_int_distribution<int32_t> gap(0, 6);
    std::uniform_int_distribution<int32_t> length(0, 4);
    std::uniform_int_distribution<int32_t> coin(0, 3);
    // Mostly midnight starts; the calendar only needs whole days from the start.
    const int32_t ps = 1704038400 - 28800 + (coin(rng) == 0 ? 3600 * 5 : 0);
    Plan plan{ps, {}};
    int64_t day = -int64_t(gap(rng));
    const int32_t n = count(rng);
    for (int32_t i = 0; i < n; ++i) {
        day += gap(rng);
        const int64_t len = length(rng);
        Ttimeintval p{int32_t(ps + day * kDay), int32_t(ps + (day + len) * kDay)};
        if (kind == Kind::OffMidnight && coin(rng) == 0) p.start += 3600 * 7;
        if (kind == Kind::Reversed && coin(rng) == 0) std::swap(p.start, p.end);
        plan.list.push_back(p);
        day += len;
    }
    if (kind == Kind::Unsorted) std::shuffle(plan.list.begin(), plan.list.end(), rng);
    if (kind == Kind::Overlapping && plan.list.size() > 1) {
        Ttimeintval& p = plan.list[plan.list.size() / 2];
        p.end += 5 * kDay;
    }
    return plan;
}

// Values that meet the periods at and around their edges, as the walk sees them.
std::vector<double> Probes(std::mt19937& rng, const Plan& plan)
{
    std::vector<double> v = {0.0, -0.0, -2.5, 1e13, -1e13, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 0.1 + 7};
    double inserted = 0;
    for (const Ttimeintval& p : plan.list) {
        const double c = DayOf(p.start, plan.projectStart);
        const double b = DayOf(p.end, plan.projectStart);
        for (double base : {c, c - inserted, b, b - inserted}) {
            for (double d : {0.0, 5e-11, -5e-11, 1e-10, -1e-10, 2e-10, -2e-10})
                v.push_back(base + d);
            v.push_back(std::nextafter(base, -1e300));
            v.push_back(std::nextafter(base, 1e300));
            v.push_back(base - 1e-10 + 1e-20);
            v.push_back(double(float(base + 0.5)));
            v.push_back(base + 1.0 / 3);   // sums that round
            v.push_back(base + 0.1);
        }
        if (c > 0) inserted += b - c;
    }
    std::uniform_real_distribution<float> any(-5, 300);
    for (int i = 0; i < 40; ++i) v.push_back(any(rng));
    return v;
}

bool SameBits(double a, double b)
{
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

TEST(CalendarIndex, SameBitsAsTheLiteralWalkOnRandomLists)
{
    std::mt19937 rng(2024);
    int64_t indexedPlans = 0;
    for (Kind kind :
         {Kind::Sorted, Kind::Unsorted, Kind::Overlapping, Kind::OffMidnight, Kind::Reversed}) {
        for (int round = 0; round < 150; ++round) {
            const Plan plan = RandomPlan(rng, kind);
            TPertTime_out rest;
            rest.Assign(plan.list);
            if (kind == Kind::Sorted) {
                ASSERT_TRUE(rest.IsIndexed(plan.projectStart));
            }
            indexedPlans += rest.IsIndexed(plan.projectStart);
            const int32_t ps = plan.projectStart;
            for (double t : Probes(rng, plan)) {
                const bool same =
                    SameBits(rest.CalendarDay(ps, t), WalkCalendarDay(plan.list, ps, t, false)) &&
                    SameBits(rest.CalendarDayOfFinish(ps, t), WalkCalendarDay(plan.list, ps, t, true)) &&
                    SameBits(rest.WorkingTime(ps, t), WalkWorkingTime(plan.list, ps, t));
                ASSERT_TRUE(same) << "kind " << int(kind) << " round " << round << " t "
                                  << std::hexfloat << t;
            }
        }
    }
    // Shuffles and overlaps of short lists are sometimes still in order.
    EXPECT_GE(indexedPlans, 150);
    EXPECT_LT(indexedPlans, 5 * 150);
}

TEST(CalendarIndex, IndexOnlyForOrderedWholeDayLists)
{
    const int32_t ps = 1000 * kDay;
    struct Case {
        const char* what;
        std::vector<Ttimeintval> list;
        bool indexed;
    };
    const Case cases[] = {
        {"empty", {}, true},
        {"ascending, touching", {{ps + kDay, ps + 3 * kDay}, {ps + 3 * kDay, ps + 4 * kDay}}, true},
        {"off midnight before the start", {{ps - 5000, ps - 100}, {ps + kDay, ps + 2 * kDay}}, true},
        {"descending", {{ps + 5 * kDay, ps + 6 * kDay}, {ps + kDay, ps + 2 * kDay}}, false},
        {"overlapping", {{ps + kDay, ps + 4 * kDay}, {ps + 3 * kDay, ps + 5 * kDay}}, false},
        {"reversed", {{ps + 4 * kDay, ps + 2 * kDay}}, false},
        {"off midnight", {{ps + kDay + 60, ps + 2 * kDay}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPertTime_out rest;
        rest.Assign(c.list);
        EXPECT_EQ(rest.IsIndexed(ps), c.indexed);
    }
}

TEST(CalendarIndex, FollowsChangesOfTheListAndTheProjectStart)
{
    const int32_t ps = 1000 * kDay;
    TPertTime_out rest;
    EXPECT_EQ(rest.CalendarDay(ps, 5), 5);
    rest.Add(Ttimeintval{ps + 5 * kDay, ps + 7 * kDay});
    EXPECT_EQ(rest.CalendarDay(ps, 5), 7);
    // A later start moves the rest to day 3.
    EXPECT_EQ(rest.CalendarDay(ps + 2 * kDay, 5), 7);
    EXPECT_EQ(rest.CalendarDay(ps + 2 * kDay, 3), 5);

    TPertTime_out copy = rest;
    EXPECT_EQ(copy, rest);
    copy.Add(Ttimeintval{ps + 10 * kDay, ps + 11 * kDay});
    EXPECT_FALSE(copy == rest);
    EXPECT_EQ(copy.CalendarDay(ps, 10), 13);
    EXPECT_EQ(rest.CalendarDay(ps, 10), 12);

    copy = rest;
    EXPECT_EQ(copy.CalendarDay(ps, 10), 12);
    rest.Assign({{ps + 8 * kDay, ps + 9 * kDay}});
    EXPECT_EQ(rest.WorkingTime(ps, 10), 9);
    EXPECT_EQ(copy.WorkingTime(ps, 10), 8);
    rest.Clear();
    EXPECT_EQ(rest.WorkingTime(ps, 10), 10);
    EXPECT_EQ(rest.Count(), 0);
}

}
