#include "editing/Selectcmd.h"

#include <gtest/gtest.h>

#include "drawing/Pertdrawmode.h"
#include "drawing/Workgeometry.h"
#include "editing/Desktopfixtures.h"
#include "editing/Relayout.h"
#include "gantt/Gantt.h"
#include "platform/Recordingcanvas.h"

namespace {

// Four works on three rows, laid out: two on row 0, one each on rows 1 and 2.
struct Laid {
    Laid()
    {
        TNetBuilder b;
        ab = b.Work('A', 'B', 4);
        bc = b.Work('B', 'C', 4);
        ad = b.Work('A', 'D', 2);
        dc = b.Work('D', 'C', 1, WorkKind::Dummy);
        ae = b.Work('A', 'E', 3);
        ec = b.Work('E', 'C', 1, WorkKind::Dummy);
        b.Place();
        ad->row = 1;
        b.N('D')->row = 1;
        ae->row = 2;
        b.N('E')->row = 2;
        net = std::move(b.net);
        net->Recalculate();
        LayoutNetwork(*net);
    }
    TWorkGeometry G(const Tedge* w) const { return TWorkGeometry::Of(*w); }
    std::unique_ptr<Tpertgra> net;
    Tedge *ab, *bc, *ad, *dc, *ae, *ec;
};

TEST(SelectInRect, WorksInsideInRowOrderFromEitherCorner)
{
    Laid l;
    const TWorkGeometry g0 = l.G(l.ab), g1 = l.G(l.ad), g2 = l.G(l.ae);
    ASSERT_LT(g0.lineY, g1.lineY);
    ASSERT_LT(g1.lineY, g2.lineY);
    const TPosition2D a{double(g0.fromX - 5), double(g0.lineY - 5)};
    const TPosition2D b{double(g1.toX + 5), double(g1.lineY + 5)};
    SelectInRect(*l.net, a, b);
    std::vector<Tedge*> first = l.net->selection;
    SelectInRect(*l.net, b, a);
    EXPECT_EQ(l.net->selection, first);
    ASSERT_GE(first.size(), 3u);
    for (size_t i = 1; i < first.size(); ++i) EXPECT_LE(first[i - 1]->row, first[i]->row);
    EXPECT_TRUE(IsSelected(*l.net, l.ad));
    EXPECT_FALSE(IsSelected(*l.net, l.ae));
    EXPECT_EQ(l.net->liveGantt.currentWork, first.front());
}

TEST(SelectInRect, AWorkOnTheBandsTopOrBottomEdgeIsNotSelected)
{
    Laid l;
    const TWorkGeometry g1 = l.G(l.ad);
    SelectInRect(*l.net, {-1000, double(g1.lineY)}, {100000, double(g1.lineY + 10)});
    EXPECT_FALSE(IsSelected(*l.net, l.ad));
    SelectInRect(*l.net, {-1000, double(g1.lineY - 10)}, {100000, double(g1.lineY)});
    EXPECT_FALSE(IsSelected(*l.net, l.ad));
    SelectInRect(*l.net, {-1000, double(g1.lineY - 1)}, {100000, double(g1.lineY + 1)});
    EXPECT_TRUE(IsSelected(*l.net, l.ad));
}

TEST(SelectionOrder, CriticalWorksGoInFrontOfTheirRow)
{
    Laid l;
    ClearSelection(*l.net);
    l.ab->data->critical = false;
    l.bc->data->critical = true;
    l.ad->data->critical = false;
    InsertIntoSelection(*l.net, l.ad);   // row 1
    InsertIntoSelection(*l.net, l.ab);   // row 0
    InsertIntoSelection(*l.net, l.bc);   // row 0, critical: ahead of ab
    EXPECT_EQ(l.net->selection, (std::vector<Tedge*>{l.bc, l.ab, l.ad}));
}

TEST(SelectTool, RubberBandSelectsOnReleaseAndIsDrawnWhileDragging)
{
    Laid l;
    TSelectCmd cmd;
    TPertDrawMode mode;
    const TWorkGeometry g1 = l.G(l.ad);
    const TPosition2D from{-1000, double(g1.lineY - 10)};
    const TPosition2D to{100000, double(g1.lineY + 10)};
    cmd.MouseMove(*l.net, 0, from, mode);
    EXPECT_EQ(cmd.gestureMode, 's');
    cmd.MouseDown(*l.net, mfLeft, from, mode);
    cmd.MouseMove(*l.net, mfLeft, to, mode);
    EXPECT_TRUE(cmd.bandShown);
    TRecordingCanvas canvas;
    cmd.DrawFeedback(*l.net, canvas, mode);
    const auto rects = canvas.OfKind(TRecordingCanvas::TKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].rect.left, -1000);
    EXPECT_EQ(rects[0].rect.top, g1.lineY - 10);
    EXPECT_EQ(rects[0].pen.style, TPenStyle::Dot);
    EXPECT_EQ(cmd.MouseUp(*l.net, mfLeft, to, mode), 0);   // selecting is no change
    EXPECT_FALSE(cmd.bandShown);
    EXPECT_EQ(l.net->selection, std::vector<Tedge*>{l.ad});
    EXPECT_EQ(cmd.presses, 0);
}

TEST(SelectTool, ShiftAtReleaseOrAnotherButtonChangesNothing)
{
    Laid l;
    TPertDrawMode mode;
    const TWorkGeometry g1 = l.G(l.ad);
    const TPosition2D from{-1000, double(g1.lineY - 10)};
    const TPosition2D to{100000, double(g1.lineY + 10)};
    {
        TSelectCmd cmd;
        cmd.MouseDown(*l.net, mfLeft, from, mode);
        cmd.MouseMove(*l.net, mfLeft, to, mode);
        EXPECT_EQ(cmd.MouseUp(*l.net, mfLeft | mfShift, to, mode), 0);
        EXPECT_TRUE(l.net->selection.empty());
    }
    {
        TSelectCmd cmd;
        cmd.MouseDown(*l.net, mfRight, from, mode);
        EXPECT_TRUE(cmd.finished);
        EXPECT_EQ(cmd.MouseUp(*l.net, mfRight, to, mode), 0);
        EXPECT_TRUE(l.net->selection.empty());
    }
}

TEST(SelectTool, ClickOnEmptyGroundClearsTheSelection)
{
    Laid l;
    TPertDrawMode mode;
    l.net->selection = {l.ab};
    TSelectCmd cmd;
    const TPosition2D p{-500, -500};
    cmd.MouseDown(*l.net, mfLeft, p, mode);
    cmd.MouseUp(*l.net, mfLeft, p, mode);
    EXPECT_TRUE(l.net->selection.empty());
}

}  // namespace
