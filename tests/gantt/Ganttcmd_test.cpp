#include "editing/Ganttcmd.h"

#include <gtest/gtest.h>

#include "editing/Commanddoc.h"
#include "editing/Deletechoice.h"
#include "editing/Deletedialog.h"
#include "editing/History.h"
#include "editing/Timedic.h"
#include "gantt/Gantt.h"
#include "gantt/Ganttfixture.h"
#include "platform/Recordingcanvas.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"

using namespace ganttfixture;
using commanddoc::Doc;
using commanddoc::TFakeDialogs;

namespace {

struct TFakeDeleteDialog : IDeleteDialog {
    TFakeDeleteDialog() { SetDeleteDialog(this); }
    ~TFakeDeleteDialog() override { SetDeleteDialog(nullptr); }
    bool Show(TDeleteChoice& choice) override
    {
        shownFor = choice.work;
        return ok;
    }
    bool ok = true;
    Tedge* shownFor = nullptr;
};

std::unique_ptr<Tpertgra> GanttChain(int n)
{
    auto net = Chain(n);
    SetViewKind(*net, 0);
    return net;
}

std::vector<std::string> Order(Doc& d)
{
    d.doc.Relayout();
    return RowNames(d.Net().liveGantt);
}

TEST(GanttTools, TheChooserHandsOutTheGanttTools)
{
    auto net = GanttChain(1);
    EXPECT_EQ(TSetpertCommand::NewSelectCommand(net.get())->Kind(), ckSelectGantt);
    EXPECT_EQ(TSetpertCommand::NewAddCommand(net.get())->Kind(), ckAddWorkGantt);
    EXPECT_EQ(TSetpertCommand::NewEditCommand(net.get())->Kind(), ckEditGantt);
    EXPECT_EQ(TSetpertCommand::NewDeleteCommand(net.get())->Kind(), ckDelGantt);
    EXPECT_EQ(TSetpertCommand::NewTimeDiffCommand(net.get())->Kind(), ckTimedicGantt);
    SetViewKind(*net, 1);
    EXPECT_EQ(TSetpertCommand::NewSelectCommand(net.get())->Kind(), ckSelect);
}

TEST(GanttTools, RowDragMovesTheRowAndUndoes)
{
    Doc d(GanttChain(4));
    TSelectGanttCmd tool;
    // D's number cell onto B's row: A, B, D, C.
    const int32_t r = d.Drag(tool, RowPoint(d.Net(), 3), RowPoint(d.Net(), 1, 120));
    EXPECT_EQ(r, deRebuild | deRepaint);
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W2", "W4", "W3"}));
    EXPECT_EQ(d.Net().liveGantt.currentWork, Named(d.Net(), "W4"));
    EXPECT_TRUE(d.Net().modified);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W2", "W3", "W4"}));
    ASSERT_TRUE(d.doc.Redo());
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W2", "W4", "W3"}));

    // Dropped on its own row: nothing changes, no history.
    const int32_t steps = d.doc.history.Count();
    EXPECT_EQ(d.Drag(tool, RowPoint(d.Net(), 0), RowPoint(d.Net(), 0, 140)), deRepaint);
    EXPECT_EQ(d.doc.history.Count(), steps);
}

TEST(GanttTools, RowDragMarksSourceAndTargetWhileTheyDiffer)
{
    Doc d(GanttChain(3));
    TSelectGanttCmd tool;
    const TPosition2D from = d.Pixel(RowPoint(d.Net(), 0));
    d.doc.Move(0, from.x, from.y, &tool, d.mode, d.chooser);
    ASSERT_NE(d.doc.localCommand, nullptr);
    EXPECT_EQ(d.doc.localCommand->Kind(), ckMoveGanttEdge);
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::MoveAll);
    // Off the number cell the tool has the pointer again; back on it, the row drag.
    const TPosition2D chart = d.Pixel(RowPoint(d.Net(), 0, 200));
    d.doc.Move(0, chart.x, chart.y, &tool, d.mode, d.chooser);
    EXPECT_EQ(d.doc.localCommand, nullptr);
    d.doc.Move(0, from.x, from.y, &tool, d.mode, d.chooser);
    ASSERT_NE(d.doc.localCommand, nullptr);
    d.doc.Press(mfLeft, from.x, from.y, &tool, d.mode);
    auto markers = [&] {
        TRecordingCanvas canvas;
        d.doc.Receiver(&tool)->DrawFeedback(d.Net(), canvas, d.mode);
        return canvas.OfKind(TRecordingCanvas::TKind::Line);
    };
    const TPosition2D over = d.Pixel(RowPoint(d.Net(), 2, 150));
    d.doc.Move(mfLeft, over.x, over.y, &tool, d.mode, d.chooser);
    const auto both = markers();
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(both[0].pen.mode, TPenMode::Xor);
    EXPECT_EQ(both[0].pen.color, 0x0000FF);
    d.doc.Move(mfLeft, from.x + 100, from.y, &tool, d.mode, d.chooser);   // back on the source row
    EXPECT_TRUE(markers().empty());
    d.doc.Move(mfLeft, over.x, over.y, &tool, d.mode, d.chooser);
    EXPECT_EQ(markers().size(), 4u);
    EXPECT_EQ(d.doc.Release(mfLeft, over.x, over.y, &tool, d.mode), deRebuild | deRepaint);
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W2", "W3", "W1"}));
}

TEST(GanttTools, SelectClickMakesTheRowCurrent)
{
    Doc d(GanttChain(3));
    TSelectGanttCmd tool;
    Tgantt& g = d.Net().liveGantt;
    const TPosition2D row = RowPoint(d.Net(), 1, 200);
    EXPECT_EQ(d.Drag(tool, row, row), deRepaint);
    EXPECT_EQ(g.currentWork, Named(d.Net(), "W2"));
    ASSERT_EQ(d.Net().selection.size(), 1u);
    EXPECT_EQ(d.Net().selection[0], Named(d.Net(), "W2"));
    // Empty chart area: no current work, the selection stays.
    const TPosition2D below{row.x, g.ChartBottom(d.Net()) + 40};
    d.Drag(tool, below, below);
    EXPECT_EQ(g.currentWork, nullptr);
    EXPECT_EQ(d.Net().selection.size(), 1u);
}

TEST(GanttTools, EditDoubleClickOpensTheRowsWork)
{
    TFakeDialogs dialogs;
    Doc d(GanttChain(3));
    TEditGanttCmd tool;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 2, 200)), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.edited, Named(d.Net(), "改过的"));
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_NE(Named(d.Net(), "W3"), nullptr);
    // Beside every row: nothing.
    dialogs.edited = nullptr;
    const TPosition2D beside{10, 10};
    EXPECT_EQ(d.DoubleClick(tool, beside), deNothing);
    EXPECT_EQ(dialogs.edited, nullptr);
}

TEST(GanttTools, DeleteDoubleClickDeletesTheRowsWork)
{
    TFakeMessages msgs;
    TFakeDeleteDialog dialog;
    Doc d(GanttChain(3));
    TDelGanttCmd tool;
    dialog.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 1, 200)), deNothing);
    EXPECT_EQ(dialog.shownFor, Named(d.Net(), "W2"));
    dialog.ok = true;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 1, 200)), deRebuild | deRepaint);
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W3"}));
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W2", "W3"}));
}

// The time-difference dialog as the Gantt tool sees it: types a duration.
struct TFakeTimedicDialog : ITimedicDialog {
    TFakeTimedicDialog() { SetTimedicDialog(this); }
    ~TFakeTimedicDialog() override { SetTimedicDialog(nullptr); }
    bool Show(TTimedic& s) override
    {
        shownFor = s.work;
        s.DurationEdited("7");
        if (ok) s.Confirm();
        return ok;
    }
    bool ok = true;
    Tedge* shownFor = nullptr;
};

TEST(GanttTools, TimeDifferenceDoubleClickOpensTheDialogForTheRowsWork)
{
    TFakeTimedicDialog dialog;
    Doc d(GanttChain(3));
    TtimedicGanttCmd tool;
    const int32_t steps = d.doc.history.Count();
    dialog.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 1, 200)), deNothing);
    EXPECT_EQ(dialog.shownFor, Named(d.Net(), "W2"));
    EXPECT_NE(Named(d.Net(), "W2")->data->duration, 7);   // 取消 restores
    EXPECT_EQ(d.doc.history.Count(), steps);
    dialog.ok = true;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 1, 200)), deRebuild | deRepaint);
    EXPECT_EQ(Named(d.Net(), "W2")->data->duration, 7);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_NE(Named(d.Net(), "W2")->data->duration, 7);
    dialog.shownFor = nullptr;
    EXPECT_EQ(d.DoubleClick(tool, {10, 10}), deNothing);
    EXPECT_EQ(dialog.shownFor, nullptr);
}

TEST(GanttTools, AddDoubleClickPutsTheNewWorkBelowTheRow)
{
    TFakeDialogs dialogs;
    Doc d(GanttChain(3));
    TAddWorkGanttCmd tool;
    EXPECT_EQ(d.DoubleClick(tool, RowPoint(d.Net(), 0, 200)), deRebuild | deRepaint);
    EXPECT_EQ(dialogs.anchors.kind, TAddAnchors::GanttPoint);
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "新工作", "W2", "W3"}));
    EXPECT_EQ(d.Net().liveGantt.currentWork, Named(d.Net(), "新工作"));
    d.ExpectUndoTo(3, 4);
    EXPECT_EQ(Order(d), (std::vector<std::string>{"W1", "W2", "W3"}));

    // While dragging, the box shows the days under the press and the pointer
    // on the chart's scale.
    const Tgantt& g = d.Net().liveGantt;
    const TPosition2D from{g.TimeToX(2), RowPoint(d.Net(), 2).y};
    const TPosition2D to{g.TimeToX(5), from.y};
    d.doc.Press(mfLeft, d.Pixel(from).x, d.Pixel(from).y, &tool, d.mode);
    d.doc.Move(mfLeft, d.Pixel(to).x, d.Pixel(to).y, &tool, d.mode, d.chooser);
    TRecordingCanvas box;
    tool.DrawFeedback(d.Net(), box, d.mode);
    const std::vector<std::string> texts = box.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], DateText(DateOfDay(d.Net(), 2)));
    EXPECT_EQ(texts[5], "3");
    tool.ResetGesture();
    tool.infoShown = tool.bandShown = false;

    // A drag over the chart adds a work too; a short one does nothing.
    const TPosition2D a = RowPoint(d.Net(), 2, 200);
    EXPECT_EQ(d.Drag(tool, a, {a.x + 4, a.y}), deRepaint);
    EXPECT_EQ(d.Drag(tool, a, {a.x + 60, a.y}), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().WorkCount(), 4);
    dialogs.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, a), deNothing);
}

}  // namespace

namespace {

TEST(GanttTools, PointerStatusOnTheChart)
{
    Doc d(GanttChain(3));
    const Tgantt& g = d.Net().liveGantt;
    const TPosition2D p{g.TimeToX(3.5), RowPoint(d.Net(), 1).y};
    const std::array<std::string, 5> s = d.doc.PointerStatus(p);
    EXPECT_EQ(s[0], "当前工作:W2");
    EXPECT_EQ(s[1], "当前时间:" + DateText(DateOfDay(d.Net(), 3.5)));
}

}  // namespace
