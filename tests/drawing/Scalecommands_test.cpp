#include "drawing/Scalecommands.h"

#include <gtest/gtest.h>

#include "drawing/Displaysettings.h"
#include "drawing/Drawtest.h"
#include "drawing/Durinterval_x.h"
#include "model/Pertgra.h"

namespace {

// A plan of ten days (one work), default day width 10.
TNetBuilder TenDays()
{
    TNetBuilder b = DatedBuilder();
    b.Work('A', 'B', 10);
    b.Place();
    b.net->Recalculate();
    return b;
}

TEST(Stretch, HorizontalOverTheWholePlan)
{
    struct Case {
        const char* what;
        bool stretch;
        double amount;
        double before;
        double after;
    };
    const Case cases[] = {
        {"stretch by 50 over 10 days", true, 50, 10, 15},
        {"stretch with Shift", true, 200, 10, 30},
        {"shrink while the plan is wider than 50", false, 50, 10, 5},
        {"no coarse step at 50 units or less", false, 50, 5, 5},
        {"a coarse step below zero shrinks by 20/21", false, 200, 10, 10 * 0.9523809523809523},
        {"narrow days shrink by 20/21", false, 50, 1, 0.9523809523809523},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b = TenDays();
        b.net->timeScale.dayWidth = c.before;
        if (c.stretch) StretchX(*b.net, c.amount);
        else ShrinkX(*b.net, c.amount);
        EXPECT_DOUBLE_EQ(b.net->timeScale.dayWidth, c.after);
        EXPECT_TRUE(b.net->timeScale.intervals.empty());
        EXPECT_TRUE(b.net->modified);
    }
}

TEST(Stretch, SelectedSpanTakesItsOwnWidth)
{
    TNetBuilder b = TenDays();
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    b.net->selection = {b.W("BC")};
    const std::optional<TDaySpan> span = SelectedSpan(*b.net);
    ASSERT_TRUE(span.has_value());
    EXPECT_DOUBLE_EQ(span->start, 10);
    EXPECT_DOUBLE_EQ(span->end, 14);
    StretchX(*b.net, 50, &*span);
    ASSERT_EQ(b.net->timeScale.intervals.size(), 1u);
    EXPECT_DOUBLE_EQ(b.net->timeScale.intervals[0].width, 10 + 50.0 / 14);
    StretchX(*b.net, 50, &*span);   // the same span again: wider, still one span
    ASSERT_EQ(b.net->timeScale.intervals.size(), 1u);
    EXPECT_DOUBLE_EQ(b.net->timeScale.intervals[0].width, 10 + 100.0 / 14);
    EXPECT_DOUBLE_EQ(b.net->timeScale.dayWidth, 10);
}

TEST(Stretch, NothingForAPlanWithoutLength)
{
    TNetBuilder b;
    b.Work('A', 'B', 0, WorkKind::Dummy);
    b.net->Recalculate();
    EXPECT_FALSE(StretchX(*b.net, 50));
    EXPECT_FALSE(ShrinkX(*b.net, 50));
    EXPECT_DOUBLE_EQ(b.net->timeScale.dayWidth, 10);
    Tpertgra empty;
    EXPECT_FALSE(StretchX(empty, 50));
    EXPECT_FALSE(empty.modified);
}

TEST(Stretch, RowHeightLimits)
{
    struct Case {
        int32_t before;
        bool grow;
        int32_t after;
    };
    const Case cases[] = {
        {50, true, 51}, {299, true, 300}, {300, true, 300}, {50, false, 49},
        {11, false, 10}, {10, false, 10}, {900, false, 400}, {801, false, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        Tpertgra net;
        net.displaySettings.rowHeight = c.before;
        if (c.grow) StretchY(net);
        else ShrinkY(net);
        EXPECT_EQ(net.displaySettings.rowHeight, c.after);
        EXPECT_TRUE(net.modified);
    }
}

TEST(ShowRange, HidesTheDaysOutsideAndShowsAllAgain)
{
    TNetBuilder b = TenDays();
    Tpertgra& net = *b.net;
    net.timeScale.dayWidth = 12;
    const int32_t a = net.projectStart + 3 * 86400;
    const int32_t e = net.projectStart + 6 * 86400;
    SetShowRange(net, a, e);
    EXPECT_EQ(net.showStart, a);
    EXPECT_EQ(net.showEnd, e);
    ASSERT_EQ(net.timeScale.intervals.size(), 2u);
    EXPECT_DOUBLE_EQ(net.timeScale.dayWidth, 10);   // a fresh scale
    EXPECT_NEAR(net.timeScale.XOfDay(3), 0, 1e-3);
    EXPECT_NEAR(net.timeScale.XOfDay(6), 30, 1e-3);
    EXPECT_NEAR(net.timeScale.XOfDay(10), 30, 1e-3);
    // A range reaching past the end hides nothing at the end.
    SetShowRange(net, a, net.projectStart + 20 * 86400);
    EXPECT_EQ(net.timeScale.intervals.size(), 1u);
    // "全部显示": the range is empty again and every day has its width.
    SetShowRange(net, net.projectStart, net.projectStart - 86400);
    EXPECT_EQ(net.showStart, net.projectStart);
    EXPECT_EQ(net.showEnd, net.projectStart);
    EXPECT_TRUE(net.timeScale.intervals.empty());
    EXPECT_DOUBLE_EQ(net.timeScale.XOfDay(7), 70);
}

}
