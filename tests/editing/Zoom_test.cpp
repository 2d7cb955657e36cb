#include "editing/Zoom.h"

#include <gtest/gtest.h>

#include "editing/Viewcache.h"
#include "editing/Wheeldamper.h"

namespace {

const TViewport kView{0, 0, 800, 600};
const TPaintSize kBigBox{4000, 3000};

TEST(Zoom, InStopsAtTwoHundredPercent)
{
    double z = 100;
    int steps = 0;
    for (;;) {
        const TZoomChange c = ZoomAt(z, {0, 0}, kZoomStep, true, kView, kBigBox);
        if (!c.done) break;
        z = c.zoom;
        ++steps;
        ASSERT_LE(z, kMaxZoom);
    }
    EXPECT_EQ(z, kMaxZoom);
    EXPECT_EQ(steps, 8);   // 100 x 1.1^7 = 194.9, the eighth step is capped
}

TEST(Zoom, OneToOneReturnsToActualSizeFromAnyZoom)
{
    for (double z : {200.0, 133.1, 62.0920}) {
        const TZoomChange c = ZoomAt(z, {10, 10}, 100 / z, true, kView, kBigBox);
        ASSERT_TRUE(c.done) << z;
        EXPECT_TRUE(IsActualSize(c.zoom)) << z;
    }
}

TEST(Zoom, OutIsRefusedWhenEverythingIsVisibleAtActualSizeOrLess)
{
    const TPaintSize small{700, 500};
    EXPECT_FALSE(ZoomAt(100, {0, 0}, kZoomStep, false, kView, small).done);
    EXPECT_FALSE(ZoomAt(90, {0, 0}, kZoomStep, false, kView, small).done);
    // Above actual size it may always go back.
    EXPECT_TRUE(ZoomAt(110, {0, 0}, kZoomStep, false, kView, small).done);
    // A box larger than the view can be zoomed out below 100 %.
    EXPECT_TRUE(ZoomAt(100, {0, 0}, kZoomStep, false, kView, kBigBox).done);
}

TEST(Zoom, TheAnchorStaysWhereItWasOnScreen)
{
    const TViewport view{300, 200, 800, 600};
    const TPosition2D anchor{700, 500};
    const TPosition2D before = PixelOfDrawing(100, view, anchor);
    const TZoomChange c = ZoomAt(100, anchor, kZoomStep, true, view, kBigBox);
    ASSERT_TRUE(c.done);
    const TViewport after{c.scrollX, c.scrollY, 800, 600};
    const TPosition2D now = PixelOfDrawing(c.zoom, after, anchor);
    EXPECT_NEAR(now.x, before.x, 1e-9);
    EXPECT_NEAR(now.y, before.y, 1e-9);
    const TPosition2D back = DrawingOfPixel(c.zoom, after, now.x, now.y);
    EXPECT_NEAR(back.x, anchor.x, 1e-9);
}

TEST(Zoom, PaintBoxFollowsZoomButNeverShrinksBelowTheView)
{
    const TPaintSize a = PaintBoxSize(200, 1000, 0, 400, 800, 600);
    EXPECT_EQ(a.width, 2100);
    EXPECT_EQ(a.height, 900);
    const TPaintSize b = PaintBoxSize(50, 400, 20, 300, 800, 600);
    EXPECT_EQ(b.width, 784);   // 0.5 x 440 + 100 = 320, raised to the view less 16
    EXPECT_EQ(b.height, 584);
}

TEST(WheelDamping, TwoNotchesOneWayMakeOneStep)
{
    struct Case {
        std::vector<int32_t> deltas;
        std::vector<int32_t> steps;
    } cases[] = {
        {{-120}, {0}},
        {{-120, -120}, {0, -1}},
        {{120, 120}, {0, 1}},
        {{120, -120}, {0, 0}},
        {{120, -120, -120, -120}, {0, 0, 0, -1}},
        {{-120, -120, -120, -120}, {0, -1, 0, -1}},
        {{60, 60, 60, 60}, {0, 0, 0, 1}},   // fine-grained wheels add up the same way
    };
    for (const Case& c : cases) {
        TWheelDamper w;
        std::vector<int32_t> got;
        for (int32_t d : c.deltas) got.push_back(w.Turn(d));
        EXPECT_EQ(got, c.steps);
    }
}

TEST(ViewCache, PlacementFollowsTheViewOnlyWhenItLeaves)
{
    TViewCache c;
    c.width = 3000;
    c.height = 2000;
    EXPECT_FALSE(c.Place(100, 100, 800, 600));   // inside: stays
    EXPECT_TRUE(c.Place(2500, 0, 800, 600));     // passes the right edge: starts at the view
    EXPECT_EQ(c.originX, 2500);
    EXPECT_TRUE(c.Place(1000, 0, 800, 600));     // left of it: ends at the view's right edge
    EXPECT_EQ(c.originX, 0);                     // 1000 + 800 - 3000 < 0
    EXPECT_TRUE(c.Place(6000, 0, 800, 600));
    EXPECT_TRUE(c.Place(5000, 0, 800, 600));
    EXPECT_EQ(c.originX, 2800);
    EXPECT_TRUE(c.Covers(5000, 0, 800, 600));
    EXPECT_EQ(TViewCache::SideFor(800), 2400);
    EXPECT_EQ(TViewCache::SideFor(3000), TViewCache::kMaxSide);
}

}  // namespace
