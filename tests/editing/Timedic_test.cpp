#include "editing/Timedic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "editing/Commanddoc.h"
#include "editing/Movetimedata.h"
#include "editing/Timediccmd.h"
#include "drawing/Networkhit.h"
#include "drawing/Pertdraw.h"
#include "platform/Recordingcanvas.h"
#include "schedule/Calendar.h"

namespace {

using namespace commanddoc;

// SA (2) and AE (3) run beside the critical SC (5), CE (5): SA has 5 days
// of float, and AE none of its own beyond SA's. AF (1), linked last, is the
// first work leaving A and ends at F, an end that is not critical.
std::unique_ptr<Tpertgra> Float5(bool withOpenEnd = false)
{
    TNetBuilder b;
    b.Node('S');
    b.Node('A');
    b.Node('C');
    b.Node('E');
    b.Work('S', 'A', 2);
    b.Work('A', 'E', 3);
    Tedge* sc = b.Work('S', 'C', 5);
    Tedge* ce = b.Work('C', 'E', 5);
    if (withOpenEnd) b.Work('A', 'F', 1);
    b.Place();
    sc->row = ce->row = b.N('C')->row = 1;
    b.net->Recalculate();
    return std::move(b.net);
}

Tedge* Named(Tpertgra& net, const std::string& name)
{
    for (Tedge* w : net.AllWorks())
        if (w->data->name == name) return w;
    return nullptr;
}

TEST(TimeDifference, OpeningShowsTheFloatAndAShiftPushesTheFollowers)
{
    auto net = Float5();
    Tedge* sa = Named(*net, "SA");
    TTimedic s(net.get(), sa);
    EXPECT_EQ(s.diceditgbx, "SA时差调整");
    EXPECT_EQ(s.workduredit, "2");
    EXPECT_EQ(s.leftdicedit, "0");
    EXPECT_EQ(s.rightdicedit, "5");
    EXPECT_EQ(s.scrollMax, 5);
    EXPECT_EQ(s.scrollPos, 0);
    EXPECT_EQ(s.planStart, DateOfDay(*net, 0));
    EXPECT_EQ(std::floor(s.planFinish), DateOfDay(*net, 1));
    EXPECT_EQ(s.lsStart, DateOfDay(*net, 5));
    EXPECT_EQ(std::floor(s.lsFinish), DateOfDay(*net, 6));

    s.ScrollTo(3);
    EXPECT_EQ(s.rightdicedit, "2");
    EXPECT_EQ(s.leftdicedit, "3");
    EXPECT_FLOAT_EQ(sa->data->start, 3);
    EXPECT_FLOAT_EQ(Named(*net, "AE")->data->start, 5);   // no float of its own: shifted along
    EXPECT_EQ(s.planStart, DateOfDay(*net, 3));
}

TEST(TimeDifference, FinishDatesAgreeWithTheWorkDialog)
{
    // Durations of whole and part days, and one below a day (never before its start).
    for (float duration : {2.0f, 2.5f, 0.25f}) {
        auto net = Float5();
        Tedge* sa = Named(*net, "SA");
        net->PlaceWork(sa, 0, duration);
        net->Recalculate();
        TTimedic s(net.get(), sa);
        EXPECT_EQ(std::floor(s.planFinish), std::floor(WorkFinishDate(*net, *sa))) << duration;
        EXPECT_EQ(std::floor(s.planFinish), DateOfDay(*net, std::max(0.0, std::ceil(double(duration)) - 1)))
            << duration;
        EXPECT_GE(s.esFinish, s.esStart) << duration;
    }
}

TEST(TimeDifference, AnyRowOfMovesEqualsOneMoveAndClosingRestoresExactly)
{
    auto reference = Float5();
    TTimedic one(reference.get(), Named(*reference, "SA"));
    one.ScrollTo(2);

    auto net = Float5();
    net->modified = false;
    const auto opened = net->Clone();
    TTimedic s(net.get(), Named(*net, "SA"));
    for (int32_t p : {4, 1, 3}) s.ScrollTo(p);
    s.UpDownTo(2);
    EXPECT_TRUE(net->IsSameAs(*reference));

    s.Restore();
    EXPECT_TRUE(net->IsSameAs(*opened));
    EXPECT_FALSE(net->modified);
}

TEST(TimeDifference, TheMaximumShiftsOnlyTowardACriticalEnd)
{
    struct Case {
        bool openEnd;
        float expectedStart;
    };
    for (const Case c : {Case{false, 5}, Case{true, 0}}) {
        auto net = Float5(c.openEnd);
        Tedge* sa = Named(*net, "SA");
        TTimedic s(net.get(), sa);
        s.ScrollTo(s.scrollMax);
        EXPECT_FLOAT_EQ(sa->data->start, c.expectedStart) << c.openEnd;
    }
}

TEST(TimeDifference, DurationTexts)
{
    auto net = Float5();
    Tedge* sa = Named(*net, "SA");
    TTimedic s(net.get(), sa);
    s.DurationEdited("4");
    EXPECT_FLOAT_EQ(sa->data->duration, 4);
    for (const char* bad : {"abc", "", "1.2.3", "nan"}) {
        s.DurationEdited(bad);
        EXPECT_FLOAT_EQ(sa->data->duration, 4) << bad;   // not applied
    }
    // A dummy keeps its zero duration.
    TNetBuilder b;
    Tedge* dummy = b.Work('S', 'A', 0, WorkKind::Dummy);
    b.Work('S', 'A', 3);
    b.Place();
    b.net->Recalculate();
    TTimedic d(b.net.get(), dummy);
    d.DurationEdited("4");
    EXPECT_FLOAT_EQ(dummy->data->duration, 0);
    EXPECT_EQ(d.workduredit, "0");
}

// The dialog as the tools see it: moves the scroll bar, then answers.
struct TFakeTimedicDialog : ITimedicDialog {
    TFakeTimedicDialog() { SetTimedicDialog(this); }
    ~TFakeTimedicDialog() override { SetTimedicDialog(nullptr); }
    bool Show(TTimedic& s) override
    {
        shownFor = s.work;
        s.ScrollTo(position);
        if (ok) s.Confirm();
        return ok;
    }
    std::function<void()> Refresher() override
    {
        return [this] { ++refreshes; };
    }
    bool ok = true;
    int32_t position = 3;
    int refreshes = 0;
    Tedge* shownFor = nullptr;
};

TEST(TimeDifference, TheToolShiftsAsOneUndoStepAndCancelRecordsNothing)
{
    TFakeTimedicDialog dialog;
    Doc d(Float5());
    TtimedicCmd tool;
    Tedge* sa = d.WorkNamed("SA");
    const auto before = d.Net().Clone();
    const int32_t steps = d.doc.history.Count();

    dialog.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.5)), deNothing);
    EXPECT_EQ(dialog.shownFor, sa);
    EXPECT_EQ(dialog.refreshes, 2);   // the shift and the restore
    EXPECT_TRUE(d.Net().IsSameAs(*before));
    EXPECT_EQ(d.doc.history.Count(), steps);

    dialog.ok = true;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.5)), deRebuild | deRepaint);
    EXPECT_FLOAT_EQ(d.WorkNamed("SA")->data->start, 3);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    // The step holds the state after the recalculation: undo and redo give it back.
    const auto after = d.Net().Clone();
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_FLOAT_EQ(d.WorkNamed("SA")->data->start, 0);
    ASSERT_TRUE(d.doc.Redo());
    EXPECT_TRUE(d.Net().IsSameAs(*after));

    // Beside every work: no dialog.
    dialog.shownFor = nullptr;
    EXPECT_EQ(d.DoubleClick(tool, {-3000, -3000}), deNothing);
    EXPECT_EQ(dialog.shownFor, nullptr);
}

TEST(TimeDifference, TheChooserHandsOutTheTool)
{
    auto net = Float5();
    SetViewKind(*net, 1);
    EXPECT_EQ(TSetpertCommand::NewTimeDiffCommand(net.get())->Kind(), ckTimedic);
    SetViewKind(*net, 2);
    EXPECT_EQ(TSetpertCommand::NewTimeDiffCommand(net.get())->Kind(), ckTimedic);
    SetViewKind(*net, 0);
    EXPECT_EQ(TSetpertCommand::NewTimeDiffCommand(net.get())->Kind(), ckTimedicGantt);
    EXPECT_EQ(TSetpertCommand::NewTimeDiffCommand(nullptr), nullptr);
}

TEST(TimeLabel, OffsetsAdd)
{
    Tedge w;
    OffsetTimeLabel(&w, 10, -3);
    OffsetTimeLabel(&w, 2, 1);
    EXPECT_EQ(w.labelDx, 12);
    EXPECT_EQ(w.labelDy, -2);
}

}  // namespace

namespace {

using namespace commanddoc;

// The centre of the work's table as drawn at factor 1.
TPosition2D LabelCentre(Tpertgra& net, Tedge* w, TPertDrawMode& mode)
{
    TPertDrawMode m(mode.canvas, dkScreen);
    TPertDraw draw(net, m);
    const TCanvasRect r = draw.TimeLabelRect(*w);
    return {(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0};
}

TEST(TimeLabel, DraggingATableMovesItsOffsetAsOneUndoStep)
{
    TRecordingCanvas canvas;
    Doc d(Float5());
    d.mode.canvas = &canvas;
    Tedge* sa = d.WorkNamed("CE");   // drawn last: no table lies over it
    const TPosition2D c = LabelCentre(d.Net(), sa, d.mode);
    // Tables hidden: nothing to grab, the plain tool gets the gesture.
    d.Net().showTimeLabels = 0;
    d.doc.Move(0, d.Pixel(c).x, d.Pixel(c).y, nullptr, d.mode, d.chooser);
    EXPECT_EQ(d.doc.localCommand, nullptr);
    d.Net().showTimeLabels = 1;
    EXPECT_EQ(TimeLabelAt(d.Net(), c, d.mode), sa);
    const int32_t steps = d.doc.history.Count();

    const TPosition2D a = d.Pixel(c), b = d.Pixel({c.x + 10.7, c.y - 3.2});
    d.doc.Move(0, a.x, a.y, nullptr, d.mode, d.chooser);
    ASSERT_NE(d.doc.localCommand, nullptr);
    EXPECT_EQ(d.doc.localCommand->Kind(), ckMovetimedata);
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::Drag);
    d.doc.Press(mfLeft, a.x, a.y, nullptr, d.mode);
    d.doc.Move(mfLeft, b.x, b.y, nullptr, d.mode, d.chooser);
    // The outline follows the pointer while the drag lasts.
    TRecordingCanvas overlay;
    d.doc.localCommand->DrawFeedback(d.Net(), overlay, d.mode);
    EXPECT_FALSE(overlay.primitives.empty());
    EXPECT_EQ(d.doc.Release(mfLeft, b.x, b.y, nullptr, d.mode), deRebuild | deRepaint);
    EXPECT_EQ(sa->labelDx, 10);
    EXPECT_EQ(sa->labelDy, -3);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    // Off the table the hover command goes.
    d.doc.Move(0, -3000, -3000, nullptr, d.mode, d.chooser);
    EXPECT_EQ(d.doc.localCommand, nullptr);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.WorkNamed("CE")->labelDx, 0);

    // A press beside every table inside a kept gesture records nothing.
    CMovetimedata cmd;
    EXPECT_EQ(cmd.MouseDown(d.Net(), mfLeft, {-3000, -3000}, d.mode), 0);
    EXPECT_EQ(cmd.MouseUp(d.Net(), mfLeft, {-2990, -3000}, d.mode), 0);
    EXPECT_TRUE(cmd.finished);
}

}  // namespace
