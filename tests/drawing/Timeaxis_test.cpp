#include "drawing/Timeaxis.h"

#include <gtest/gtest.h>

#include "drawing/Displace.h"
#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "schedule/Perttime_out.h"

namespace {

using Spans = std::vector<Tdurinterval_x>;

TEST(TimeScaleGeometry, XOfDayDayOfXAndDayWidthAt)
{
    struct Case {
        const char* what;
        Spans spans;
        double day;
        double x;          // XOfDay(day)
        double width;      // DayWidthAt(day)
    };
    const Case cases[] = {
        {"no spans: ten units a day", {}, 12, 120, 10},
        {"fractional day", {}, 2.5, 25, 10},
        {"a hidden span removes its days", {{5, 10, 0}}, 12, 70, 10},
        {"inside a hidden span", {{5, 10, 0}}, 7, 50, 0},
        {"at the span's start", {{5, 10, 0}}, 5, 50, 0},
        {"the span's end day still has its width", {{5, 10, 0}}, 10, 50, 0},
        {"a wide span", {{2, 4, 20}}, 3, 40, 20},
        {"after a wide span", {{2, 4, 20}}, 5, 70, 10},
        {"two spans", {{1, 2, 0}, {3, 5, 30}}, 6, 10 + 0 + 10 + 60 + 10, 10},
        {"spans with negative days are not counted", {{-1, 3, 0}}, 5, 50, 10},
        {"a negative day has the default width", {{0, 3, 0}}, -2, -20, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tlistdurinterval_x s;
        s.intervals = c.spans;
        EXPECT_DOUBLE_EQ(s.XOfDay(c.day), c.x);
        EXPECT_DOUBLE_EQ(s.DayWidthAt(c.day), c.width);
        // DayOfX inverts XOfDay wherever a day has a width.
        if (s.DayWidthAt(c.day) > 0 && c.day >= 0) {
            EXPECT_NEAR(s.DayOfX(c.x), c.day, 1e-12);
        }
    }
}

TEST(TimeScaleGeometry, DayOfXSkipsHiddenDaysAndNeverDividesByZero)
{
    Tlistdurinterval_x s;
    s.intervals = {{5, 10, 0}};
    EXPECT_DOUBLE_EQ(s.DayOfX(50), 5);   // the hidden days collapse onto day 5
    EXPECT_DOUBLE_EQ(s.DayOfX(60), 11);
    s.dayWidth = 0;
    s.intervals.clear();
    EXPECT_DOUBLE_EQ(s.DayOfX(60), 0);   // nothing has a width: no infinity
    EXPECT_DOUBLE_EQ(s.XOfDay(1e-9), 0);
}

// A network whose table holds two displaced days: day 2 (shift 8, smallest 3)
// and day 4 (shift 5, smallest 5). X0 = 50 + 0 + 50.
std::unique_ptr<Tpertgra> Displaced()
{
    auto net = std::make_unique<Tpertgra>();
    net->displacements.push_back(std::make_unique<Tdisplace>(2.0f, 8, 3));
    net->displacements.push_back(std::make_unique<Tdisplace>(4.0f, 5, 5));
    return net;
}

TEST(TimeAxis, XOfTimeCountsEntriesByVariant)
{
    auto net = Displaced();
    const TTimeAxis axis(*net);
    EXPECT_DOUBLE_EQ(axis.X0(), 100);
    struct Case {
        double day;
        double before, ruler, atOrBefore;
    };
    const Case cases[] = {
        {0, 100, 100, 100},
        {2, 120, 123, 128},
        {2 + 5e-9, 120.00000005, 123.00000005, 128.00000005},   // within 1e-8: the same day
        {3, 138, 138, 138},
        {4, 148, 153, 153},
        {9, 203, 203, 203},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        EXPECT_DOUBLE_EQ(axis.XOfTime(c.day, TShiftCount::Before), c.before);
        EXPECT_DOUBLE_EQ(axis.XOfTime(c.day, TShiftCount::Ruler), c.ruler);
        EXPECT_DOUBLE_EQ(axis.XOfTime(c.day, TShiftCount::AtOrBefore), c.atOrBefore);
    }
}

TEST(TimeAxis, EntriesStandAtTheCalendarDayOfTheirTime)
{
    auto net = Displaced();
    net->projectStart = Stamp(2007, 3, 1);
    // Rest on calendar days 3 and 4: the entry of working day 4 stands at
    // calendar day 6, the entry of working day 2 stays at day 2.
    net->restIntervals.Add({Stamp(2007, 3, 4), Stamp(2007, 3, 6)});
    const TTimeAxis axis(*net);
    EXPECT_DOUBLE_EQ(axis.XOfTime(5, TShiftCount::AtOrBefore), 100 + 50 + 8);
    EXPECT_DOUBLE_EQ(axis.XOfTime(6, TShiftCount::AtOrBefore), 100 + 60 + 8 + 5);
    // A work starting at working day 3 starts after the rest, on calendar day 5.
    EXPECT_DOUBLE_EQ(axis.XOfWorkTime(3), 100 + 50 + 8);
    EXPECT_DOUBLE_EQ(axis.XOfWorkTime(4, TShiftCount::Before), 100 + 60 + 8);
}

TEST(TimeAxis, ProjectEndXPassesThroughTheDisplacedEndNode)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    const TTimeAxis axis(*b.net);
    EXPECT_EQ(b.N('C')->x, 100 + 30 + 8 + 18);
    EXPECT_DOUBLE_EQ(axis.ProjectEndX(), b.N('C')->x);
}

TEST(TimeAxis, ProjectEndXMeetsAnEndNodeBeforeARestPeriod)
{
    // The plan ends on Friday night; the weekend follows. The end node's room
    // is entered at its time taken as a start, after the weekend.
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 2);
    b.net->restIntervals.Add({Stamp(2007, 3, 3), Stamp(2007, 3, 5)});
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    EXPECT_EQ(b.N('B')->x, 128);
    EXPECT_DOUBLE_EQ(TTimeAxis(*b.net).ProjectEndX(), 128);
}

TEST(TimeAxis, DayAtXInvertsXOfTime)
{
    auto net = Displaced();
    const TTimeAxis axis(*net);
    struct Case {
        double x;
        double day, offset;
    };
    const Case cases[] = {
        {90, 0, -10},                        // left of day 0
        {100, 0, 0},
        {110, 1, 0},
        {121, 2 - 1.1574074074074074e-6, 0}, // before the first node of day 2
        {123, 2, 3},                         // on the first node of day 2
        {125, 2, 5},                         // in the room opened at day 2
        {128, 2, 8},
        {138, 3, 0},
        {300, 18.7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const TDayAtX r = axis.DayAtX(c.x);
        EXPECT_NEAR(r.day, c.day, 1e-12);
        EXPECT_NEAR(r.offset, c.offset, 1e-12);
    }
}

TEST(TimeAxis, DayAtXIsRightBehindSpansOfAnotherWidth)
{
    Tpertgra net;
    net.timeScale.intervals = {{5, 10, 0}, {12, 14, 30}};
    const TTimeAxis axis(net);
    for (double day : {0.0, 3.0, 10.5, 12.0, 13.5, 14.0, 20.0}) {
        SCOPED_TRACE(day);
        EXPECT_NEAR(axis.DayAtX(axis.XOfTime(day)).day, day, 1e-9);
    }
}

TEST(TimeAxis, X0AndY0FollowTheFrame)
{
    Tpertgra net;
    EXPECT_DOUBLE_EQ(X0(net), 100);
    EXPECT_DOUBLE_EQ(Y0(net), 100 + 3 * 20 + 60);
    net.groups.groupColumnWidth = 30;
    net.grid->scales[0].nameWidth = 70;
    net.grid->topMargin = 10;
    EXPECT_DOUBLE_EQ(X0(net), 50 + 30 + 70);
    EXPECT_DOUBLE_EQ(Y0(net), 100 + 60 + 10);
    net.grid->byProjectCalendar = true;   // only the project-day row is left on
    EXPECT_DOUBLE_EQ(Y0(net), 100 + 20 + 10);
    net.showFrame = false;
    EXPECT_DOUBLE_EQ(X0(net), 50);
    EXPECT_DOUBLE_EQ(Y0(net), 100);
}

}
