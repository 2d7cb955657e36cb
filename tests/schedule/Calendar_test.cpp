#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

namespace {

constexpr int32_t kDay = 86400;

// A network starting 2024-01-01 00:00 with rest periods given in calendar days.
class CalendarNet : public testing::Test {
protected:
    Tpertgra net;
    const int32_t start = int32_t(SecondsOfCivil(TCivilTime{2024, 1, 1, 0, 0, 0}));

    void SetUp() override { net.projectStart = start; }

    int32_t At(double day) const { return start + int32_t(day * kDay); }
    void Rest(double from, double to) { net.restIntervals.Add(Ttimeintval{At(from), At(to)}); }

    // The date-time of calendar day `day` plus `seconds`.
    double DateAt(int32_t day, int32_t seconds = 0) const
    {
        return DateTimeOfStamp(int64_t(start) + int64_t(day) * kDay + seconds);
    }

    Tedge& Work(float s, float d)
    {
        works.push_back(std::make_unique<Tedge>());
        works.back()->data->start = s;
        works.back()->data->duration = d;
        return *works.back();
    }

    std::vector<std::unique_ptr<Tedge>> works;
};

TEST_F(CalendarNet, ConversionsAroundARestPeriod)
{
    struct Period {
        double from, to;
    };
    struct Case {
        const char* what;
        std::vector<Period> rest;
        double t;
        double calendarDay, calendarDayOfFinish;
        double x, workingTime;
    };
    const Case cases[] = {
        {"no rest periods", {}, 6.25, 6.25, 6.25, 9.5, 9.5},
        {"before the rest", {{5, 7}}, 4.5, 4.5, 4.5, 4.5, 4.5},
        {"start on the rest's first day", {{5, 7}}, 5, 7, 5, 8, 6},
        {"inside the rest", {{5, 7}}, 5.5, 7.5, 7.5, 6, 4},
        {"a hair before the rest counts as on it", {{5, 7}}, 5 - 5e-11, 7 - 5e-11, 5 - 5e-11, 5, 5},
        {"clearly before the rest", {{5, 7}}, 5 - 1e-9, 5 - 1e-9, 5 - 1e-9, 7, 5},
        {"two rests", {{5, 7}, {12, 14}}, 10, 14, 12, 15, 11},
        {"rest on day 0 ignored", {{0, 2}}, 0, 0, 0, 3, 3},
        {"rest before day 0 ignored", {{-3, 1}}, 0.5, 0.5, 0.5, 3, 3},
        {"ignored rest then a counted one", {{-1, 1}, {3, 4}}, 3, 4, 3, 4.5, 3.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        net.restIntervals.Clear();
        for (const Period& p : c.rest) Rest(p.from, p.to);
        EXPECT_DOUBLE_EQ(CalendarDay(net, c.t), c.calendarDay);
        EXPECT_DOUBLE_EQ(CalendarDayOfFinish(net, c.t), c.calendarDayOfFinish);
        EXPECT_DOUBLE_EQ(WorkingTime(net, c.x), c.workingTime);
    }
}

TEST_F(CalendarNet, WorkDatesSkipTheRest)
{
    Rest(5, 7);
    struct Case {
        const char* what;
        float start, duration;
        double startDate, finishDate;
    };
    const Case cases[] = {
        {"finishes where the rest begins", 3, 2, DateAt(3), DateAt(4, kDay - 1)},
        {"runs over the rest", 3, 3, DateAt(3), DateAt(7, kDay - 1)},
        {"starts on the rest's first day", 5, 1, DateAt(7), DateAt(7, kDay - 1)},
        // No duration: the work finishes on the day it starts, not a second before.
        {"no duration", 3, 0, DateAt(3), DateAt(3)},
        {"no duration where the rest begins", 5, 0, DateAt(7), DateAt(7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Tedge& w = Work(c.start, c.duration);
        EXPECT_NEAR(WorkStartDate(net, w), c.startDate, 1e-9);
        EXPECT_NEAR(WorkFinishDate(net, w), c.finishDate, 1e-9);
        EXPECT_EQ(StampOfDateTime(WorkFinishDate(net, w)), StampOfDateTime(c.finishDate));
    }
}

TEST_F(CalendarNet, FinishOfASegmentedWorkCountsTheFollowingSegments)
{
    Rest(5, 7);
    Tedge& first = Work(3, 1);
    Tedge& second = Work(4, 2);
    first.nextSegment = &second;
    EXPECT_EQ(StampOfDateTime(WorkFinishDate(net, first)), At(8) - 1);
}

TEST_F(CalendarNet, ProjectEndDayTakesTheLastNodeAsAFinish)
{
    EXPECT_EQ(ProjectEndDay(net), 0);
    Rest(5, 7);
    for (float t : {0.0f, 5.0f, 3.0f}) {
        net.nodes.push_back(std::make_unique<Tvertex>());
        net.nodes.back()->time = t;
    }
    // Finishing on the day before the rest: the rest is not part of the plan.
    EXPECT_EQ(ProjectEndDay(net), 5);
    net.nodes[1]->time = 6;
    EXPECT_EQ(ProjectEndDay(net), 8);
}

TEST_F(CalendarNet, DaysAndDatesOfTheProjectStart)
{
    EXPECT_EQ(DateText(DateOfDay(net, 0)), "2024-01-01");
    EXPECT_EQ(DateText(DateOfDay(net, 31.5)), "2024-02-01");
    EXPECT_DOUBLE_EQ(DayOfStamp(net, start + kDay / 2), 0.5);
    EXPECT_DOUBLE_EQ(DayOfDate(net, DateOfDay(net, 17.25)), 17.25);
    EXPECT_DOUBLE_EQ(DayOfDate(net, DateAt(-3)), -3);

    // A date beyond 2038 keeps its true distance instead of wrapping.
    const double far = DateTimeOfStamp(SecondsOfCivil(TCivilTime{2040, 1, 1, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(DayOfDate(net, far), 16 * 365 + 4);

    net.projectStart = -28800;
    EXPECT_EQ(DateText(DateOfDay(net, 0)), "1970-01-01");
}

TEST_F(CalendarNet, RestDaysAreTheWholeDaysOfThePeriods)
{
    Rest(2, 4);
    Rest(3, 5);                                                // overlaps the first
    net.restIntervals.Add(Ttimeintval{At(9) + 43200, At(11)});   // from noon of day 9
    net.restIntervals.Add(Ttimeintval{At(20), At(20)});         // empty
    net.restIntervals.Add(Ttimeintval{At(22), At(21)});         // reversed
    EXPECT_EQ(RestDays(net), (std::vector<int32_t>{At(2), At(3), At(4), At(9), At(10)}));
}

TEST_F(CalendarNet, SetRestDaysJoinsDaysIntoRuns)
{
    struct Case {
        const char* what;
        std::vector<double> days;
        std::vector<Ttimeintval> periods;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one day", {1}, {{At(1), At(2)}}},
        {"a run and a single day", {1, 2, 3, 10}, {{At(1), At(4)}, {At(10), At(11)}}},
        {"unsorted with a repeat", {10, 2, 3, 1, 2}, {{At(1), At(4)}, {At(10), At(11)}}},
        {"a time of day stands for its day", {4.5, 5.99}, {{At(4), At(6)}}},
        {"one day apart", {1, 3}, {{At(1), At(2)}, {At(3), At(4)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rest(40, 45);
        net.modified = false;
        std::vector<int32_t> dates;
        for (double d : c.days) dates.push_back(At(d));
        SetRestDays(net, dates);
        EXPECT_EQ(net.restIntervals.Items(), c.periods);
        EXPECT_TRUE(net.modified);
        // Reading the days back and storing them again changes nothing.
        const TPertTime_out before = net.restIntervals;
        SetRestDays(net, RestDays(net));
        EXPECT_EQ(net.restIntervals, before);
    }
}

TEST_F(CalendarNet, SetRestDaysAtTheEndOfTheStoredRangeDoesNotWrap)
{
    const int32_t last = int32_t(SecondsOfCivil(TCivilTime{2038, 1, 19, 0, 0, 0}));
    SetRestDays(net, {last - kDay, last});
    ASSERT_EQ(net.restIntervals.Count(), 1);
    EXPECT_EQ(net.restIntervals[0].start, last - kDay);
    EXPECT_EQ(net.restIntervals[0].end, std::numeric_limits<int32_t>::max());
}

}
