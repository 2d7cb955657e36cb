#include "editing/Addworkcmd.h"

#include <gtest/gtest.h>

#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Applydrag.h"
#include "editing/Commanddoc.h"
#include "editing/Editcmd.h"
#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "editing/Setpertcommand.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

using namespace commanddoc;

TEST(AddTool, DragFromTheEndNodeIntoEmptyGroundAddsAWorkAndCanBeUndone)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    Tvertex* end = EndNode(d.Net());
    ASSERT_NE(end, nullptr);
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    const TPosition2D from = Doc::At(end);
    const int32_t r = d.Drag(tool, from, {from.x + 300, from.y});
    EXPECT_EQ(dialogs.adds, 1);
    EXPECT_EQ(dialogs.anchors.kind, TAddAnchors::Points);
    EXPECT_EQ(dialogs.anchors.startNode, end);
    EXPECT_EQ(dialogs.anchors.endNode, nullptr);
    EXPECT_EQ(r, deRebuild | deRepaint);
    EXPECT_EQ(d.Net().WorkCount(), works + 1);
    ASSERT_NE(d.WorkNamed("新工作"), nullptr);
    EXPECT_EQ(d.WorkNamed("新工作")->fromNode, end);
    EXPECT_TRUE(msgs.Texts().empty());
    d.ExpectUndoTo(works, nodes);
}

TEST(AddTool, DragsThatAddNothing)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    const int32_t works = d.Net().WorkCount();
    const TPosition2D end = Doc::At(EndNode(d.Net()));
    // Leftwards from a node into empty ground, and a drag of a few pixels.
    EXPECT_EQ(d.Drag(tool, end, {end.x - 200, end.y - 200}), deRepaint);
    EXPECT_EQ(d.Drag(tool, {end.x + 200, end.y + 300}, {end.x + 205, end.y + 300}), deRepaint);
    // Shift held at the release.
    EXPECT_EQ(d.Drag(tool, end, {end.x + 300, end.y}, mfShift), deRepaint);
    EXPECT_EQ(dialogs.adds, 0);
    // 取消 in the dialog.
    dialogs.ok = false;
    EXPECT_EQ(d.Drag(tool, end, {end.x + 300, end.y}), deRepaint);
    EXPECT_EQ(dialogs.adds, 1);
    EXPECT_EQ(d.Net().WorkCount(), works);
    EXPECT_TRUE(msgs.Texts().empty());
}

TEST(AddTool, DragBetweenNodesOpensTheDialogOrRefusesALoop)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    Tvertex* s = sa->fromNode;
    Tvertex* a = sa->toNode;
    Tvertex* e = EndNode(d.Net());
    const int32_t works = d.Net().WorkCount();
    // From the end node back to the start would close a loop.
    EXPECT_EQ(d.Drag(tool, Doc::At(e), Doc::At(s)), deRepaint);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"网络图不能有回路！"});
    EXPECT_EQ(dialogs.adds, 0);
    EXPECT_EQ(d.Net().WorkCount(), works);
    // From the start to A: a second work between them.
    EXPECT_EQ(d.Drag(tool, Doc::At(s), Doc::At(a)), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.adds, 1);
    EXPECT_EQ(dialogs.anchors.startNode, s);
    EXPECT_EQ(dialogs.anchors.endNode, a);
    EXPECT_FALSE(dialogs.anchors.entry == TPosition2D{});   // the pointer came over A
    EXPECT_GT(d.Net().WorkCount(), works);
    EXPECT_EQ(msgs.Texts().size(), 1u);
}

TEST(AddTool, CtrlClickOnANodeThenAClickNeedsANodeForTheSecondClick)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    const TPosition2D s = Doc::At(sa->fromNode), a = Doc::At(sa->toNode);
    auto click = [&](TPosition2D p, int32_t flags) {
        const TPosition2D px = d.Pixel(p);
        d.doc.Press(flags, px.x, px.y, &tool, d.mode);
        return d.doc.Release(flags, px.x, px.y, &tool, d.mode);
    };
    EXPECT_EQ(click(s, mfLeft | mfCtrl), deRepaint);
    EXPECT_EQ(click({a.x + 500, a.y + 500}, mfLeft), deRepaint);
    EXPECT_EQ(dialogs.adds, 0);
    EXPECT_EQ(click(s, mfLeft | mfCtrl), deRepaint);
    EXPECT_EQ(click(a, mfLeft), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.adds, 1);
}

TEST(AddTool, DoubleClickAnchorsOnNodeWorkOrGround)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    Tvertex* e = EndNode(d.Net());
    EXPECT_EQ(d.DoubleClick(tool, Doc::At(e)), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.anchors.kind, TAddAnchors::Node);
    EXPECT_EQ(dialogs.anchors.node, e);
    EXPECT_EQ(d.Net().WorkCount(), works + 1);
    d.ExpectUndoTo(works, nodes);

    Tedge* sa = d.Net().AllWorks().front();
    struct Case {
        double fraction;
        char zone;
    };
    for (const Case c : {Case{0.25, 'f'}, Case{0.5, 'm'}, Case{0.75, 'b'}}) {
        SCOPED_TRACE(c.zone);
        sa = d.Net().AllWorks().front();
        dialogs.ok = false;
        EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, c.fraction)), deNothing);
        EXPECT_EQ(dialogs.anchors.kind, TAddAnchors::Work);
        EXPECT_EQ(dialogs.anchors.work, sa);
        EXPECT_EQ(dialogs.anchors.zone, c.zone);
    }
    EXPECT_EQ(d.Net().WorkCount(), works);
}

TEST(AddTool, InformationBoxWhileDraggingFromANode)
{
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TAddWorkCmd tool;
    Tvertex* e = EndNode(d.Net());
    const TPosition2D from = Doc::At(e);
    const TPosition2D px = d.Pixel(from);
    d.doc.Move(0, px.x, px.y, &tool, d.mode, d.chooser);
    EXPECT_EQ(tool.gestureMode, 'a');
    d.doc.Press(mfLeft, px.x, px.y, &tool, d.mode);
    const TPosition2D to{from.x + 250, from.y};
    const TPosition2D pt = d.Pixel(to);
    d.doc.Move(mfLeft, pt.x, pt.y, &tool, d.mode, d.chooser);
    EXPECT_TRUE(tool.infoShown);
    EXPECT_TRUE(tool.linkShown);
    TRecordingCanvas canvas;
    tool.DrawFeedback(d.Net(), canvas, d.mode);
    bool box = false;
    for (const auto& r : canvas.OfKind(TRecordingCanvas::TKind::Rectangle))
        if (r.rect.right - r.rect.left == 222 && r.rect.bottom - r.rect.top == 50) box = true;
    EXPECT_TRUE(box);
    const auto texts = TAddWorkCmd::InfoTexts(d.Net(), from, to);
    EXPECT_EQ(texts[0].size(), 10u);   // yyyy-mm-dd
    EXPECT_NE(texts[0], texts[1]);
    EXPECT_GT(std::stoi(texts[2]), 0);
    EXPECT_EQ(TAddWorkCmd::InfoTexts(d.Net(), from, from)[2], "0");
    d.doc.Release(mfLeft | mfShift, pt.x, pt.y, &tool, d.mode);
    EXPECT_FALSE(tool.infoShown);
}

// The information box counts working days on a calendar with rest days and
// shows where a work of that length finishes. A -3-> B from Friday
// 2024-03-01; Sundays 03-03 and 03-10 are rest days, so B stands at the end
// of Monday 03-04.
TEST(AddTool, TheInformationBoxFollowsTheWorkingCalendar)
{
    TNetBuilder b;
    b.net->projectStart = *StampOfCivil({2024, 3, 1, 0, 0, 0});
    b.Work('A', 'B', 3);
    b.Place();
    SetRestDays(*b.net, {*StampOfCivil({2024, 3, 3, 0, 0, 0}), *StampOfCivil({2024, 3, 10, 0, 0, 0})});
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    const Tpertgra& net = *b.net;
    const TTimeAxis axis(net);
    const Tvertex* B = b.N('B');
    const TPosition2D atB{double(B->x), double(B->y)};
    // empty ground at the start of a working day, below the work
    auto ground = [&](double t) {
        return TPosition2D{axis.XOfTime(CalendarDay(net, t)), double(B->y) + 3 * RowHeight(net)};
    };
    struct Case {
        const char* what;
        TPosition2D press, pointer;
        std::array<std::string, 3> texts;
    };
    const Case cases[] = {
        {"from B over four working days", atB, ground(7), {"2024-03-05", "2024-03-08", "4"}},
        {"over the second Sunday", atB, ground(9), {"2024-03-05", "2024-03-11", "6"}},
        {"from the first day across the first Sunday", ground(0), ground(3),
         {"2024-03-01", "2024-03-04", "3"}},
        {"no distance", atB, atB, {"2024-03-05", "2024-03-05", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TAddWorkCmd::InfoTexts(net, c.press, c.pointer), c.texts);
    }
}

TEST(EditTool, DoubleClickOnAWorkEditsItAndIsUndone)
{
    TFakeMessages msgs;
    TFakeDialogs dialogs;
    Doc d(Diamond());
    TEditCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.5)), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.edited, sa);
    EXPECT_NE(d.WorkNamed("改过的"), nullptr);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.WorkNamed("改过的"), nullptr);
    // Empty ground and 取消 change nothing.
    dialogs.edited = nullptr;
    EXPECT_EQ(d.DoubleClick(tool, {-3000, -3000}), deNothing);
    EXPECT_EQ(dialogs.edited, nullptr);
    dialogs.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(d.Net().AllWorks().front(), 0.5)), deNothing);
}

TEST(EditTool, DraggingANodeOntoAnUnrelatedNodeMergesOrRefusesALoop)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    TEditCmd tool;
    Tvertex* e = EndNode(d.Net());
    Tvertex* a = nullptr;
    Tvertex* b = nullptr;
    for (Tedge* w : d.Net().WorksInto(e)) (a ? b : a) = w->fromNode;
    ASSERT_TRUE(a && b);
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    EXPECT_EQ(d.Drag(tool, Doc::At(a), Doc::At(e)), deRepaint);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"网络图不能有回路!"});
    EXPECT_EQ(d.Net().NodeCount(), nodes);
    EXPECT_EQ(d.Drag(tool, Doc::At(a), Doc::At(b)), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().NodeCount(), nodes - 1);
    EXPECT_EQ(d.Net().WorkCount(), works);
    EXPECT_EQ(b->inCount, 2);
    EXPECT_EQ(b->outCount, 2);
    d.ExpectUndoTo(works, nodes);
}

TEST(EditTool, DraggingAWorksBackThirdOntoANodeReattachesItsEnd)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    TEditCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    Tvertex* s = sa->fromNode;
    Tvertex* a = sa->toNode;
    Tvertex* b = nullptr;
    for (Tedge* w = s->firstWork; w; w = w->nextWork)
        if (w != sa) b = w->toNode;
    ASSERT_NE(b, nullptr);
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    // Onto its own start: a loop.
    EXPECT_EQ(d.Drag(tool, OnLine(sa, 0.75), Doc::At(s)), deRepaint);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"网络图不能有回路!"});
    EXPECT_EQ(sa->toNode, a);
    EXPECT_EQ(d.Drag(tool, OnLine(sa, 0.75), Doc::At(b)), deRebuild | deRepaint);
    Tedge* moved = d.Net().AllWorks().front();
    EXPECT_EQ(moved->toNode, b);
    EXPECT_EQ(b->inCount, 2);
    // A still carries its leaving work, so it stays.
    EXPECT_EQ(d.Net().NodeCount(), nodes);
    EXPECT_EQ(a->inCount, 0);
    d.ExpectUndoTo(works, nodes);
    EXPECT_EQ(d.Net().AllWorks().front()->toNode->inCount, 1);
}

TEST(EditTool, DraggingAWorksMiddleThirdDownMovesItToAnotherRow)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    TEditCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    const int32_t row = sa->row;
    const TPosition2D from = OnLine(sa, 0.5);
    const double rowHeight = RowHeight(d.Net());
    EXPECT_EQ(d.Drag(tool, from, {from.x, from.y + 3.5 * rowHeight}), deRebuild | deRepaint);
    EXPECT_NE(d.Net().AllWorks().front()->row, row);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.Net().AllWorks().front()->row, row);
}

}  // namespace
