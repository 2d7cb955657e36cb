#include "editing/Biaozhucmd.h"

#include <gtest/gtest.h>

#include "drawing/Biaozhu.h"
#include "drawing/Biaozhudraw.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Framelayout.h"
#include "drawing/Setbiaozhu.h"
#include "editing/Commanddoc.h"
#include "editing/Popupactions.h"
#include "editing/Selectcmd.h"
#include "platform/Recordingcanvas.h"
#include "support/Fakemessages.h"

namespace {

using commanddoc::Diamond;
using commanddoc::Doc;
using TPrimKind = TRecordingCanvas::TKind;

// "标注属性" as the commands see it: 确定 after typing a new text, or 取消.
struct TFakeBiaozhuDialog : IBiaozhuDialog {
    TFakeBiaozhuDialog() { SetBiaozhuDialog(this); }
    ~TFakeBiaozhuDialog() override { SetBiaozhuDialog(nullptr); }
    bool Show(TSetBiaoZhu& s) override
    {
        ++shown;
        if (!text.empty()) s.memo = text;
        return ok;
    }
    bool ok = true;
    std::string text;
    int shown = 0;
};

TPosition2D operator+(TPosition2D a, TPosition2D b)
{
    return {a.x + b.x, a.y + b.y};
}

// The drawing point of an empty place below the works: row 3, day 2.
TPosition2D EmptyPlace(const Tpertgra& net)
{
    return {X0(net) + 2 * net.timeScale.dayWidth, Y0(net) + 3 * RowHeight(net)};
}

// The diamond with one 60 x 30 annotation at the empty place.
struct NoteDoc : Doc {
    NoteDoc() : Doc(Diamond())
    {
        auto a = NewAnnotation(Net(), EmptyPlace(Net()), EmptyPlace(Net()) + TPosition2D{60, 30});
        Net().annotations.push_back(std::move(a));
        doc.history.snapshots.clear();
        doc.history.Start(Net());
        doc.Relayout();
    }
    TBiaoZhu& Note() { return *Net().annotations.front(); }
    TAnnotationBox Box() { return *AnnotationBox(Note(), Net(), TTimeAxis(Net())); }
};

TEST(AnnotationTool, ADragCreatesOneAfterTheDialogAsOneUndoStep)
{
    TFakeBiaozhuDialog dialog;
    Doc d(Diamond());
    CCreateBiaozhu tool;
    const TPosition2D a = EmptyPlace(d.Net()), b = a + TPosition2D{80, 40};

    // The band follows the pointer while the button is held.
    const TPosition2D pa = d.Pixel(a), pb = d.Pixel(b);
    d.doc.Press(mfLeft, pa.x, pa.y, &tool, d.mode);
    d.doc.Move(mfLeft, pb.x, pb.y, &tool, d.mode, d.chooser);
    TRecordingCanvas band;
    tool.DrawFeedback(d.Net(), band, d.mode);
    ASSERT_EQ(band.OfKind(TPrimKind::Rectangle).size(), 1u);
    EXPECT_EQ(band.OfKind(TPrimKind::Rectangle)[0].pen,
              (TCanvasPen{0xFFFFFF, 1, TPenStyle::Dot, TPenMode::Xor}));
    EXPECT_EQ(d.doc.Release(mfLeft, pb.x, pb.y, &tool, d.mode), deRebuild | deRepaint);

    EXPECT_EQ(dialog.shown, 1);
    ASSERT_EQ(d.Net().annotations.size(), 1u);
    const TBiaoZhu& n = *d.Net().annotations[0];
    EXPECT_EQ(n.text, "网络计划标注");
    EXPECT_EQ(n.width, 80);
    EXPECT_EQ(n.height, 40);
    EXPECT_DOUBLE_EQ(n.anchorRow, 3);
    EXPECT_EQ(AnnotationAt(d.Net(), a + TPosition2D{40, 20}), &n);
    EXPECT_TRUE(d.Net().modified);
    EXPECT_EQ(d.doc.history.Count(), 2);
    TRecordingCanvas after;
    tool.DrawFeedback(d.Net(), after, d.mode);
    EXPECT_TRUE(after.primitives.empty()) << "no band after the release";

    ASSERT_TRUE(d.doc.Undo());
    EXPECT_TRUE(d.Net().annotations.empty());
    ASSERT_TRUE(d.doc.Redo());
    EXPECT_EQ(d.Net().annotations.size(), 1u);
}

TEST(AnnotationTool, GesturesThatCreateNothing)
{
    struct Case {
        const char* what;
        TPosition2D size;
        bool ok;
        int32_t networkKind;
        double zoom;
        bool created;
        int shown;
    };
    const Case cases[] = {
        {"4 x 4 at 100 %", {4, 4}, true, 0, 100, false, 0},
        {"wide but 4 high", {80, 4}, true, 0, 100, false, 0},
        {"up and left", {-80, -40}, true, 0, 100, false, 0},
        {"cancelled", {80, 40}, false, 0, 100, false, 1},
        {"in the logic view", {80, 40}, true, 1, 100, false, 0},
        {"4 x 4 at 200 % is 8 pixels", {4, 4}, true, 0, 200, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeBiaozhuDialog dialog;
        dialog.ok = c.ok;
        Doc d(Diamond());
        d.Net().networkKind = c.networkKind;
        d.doc.Relayout();
        d.mode.zoom = c.zoom;
        CCreateBiaozhu tool;
        const TPosition2D a = EmptyPlace(d.Net());
        const int32_t r = d.Drag(tool, a, a + c.size);
        EXPECT_EQ(d.Net().annotations.size(), c.created ? 1u : 0u);
        EXPECT_EQ(dialog.shown, c.shown);
        EXPECT_EQ(r == (deRebuild | deRepaint), c.created);
        EXPECT_EQ(d.Net().modified, c.created);
        EXPECT_EQ(d.doc.history.Count(), c.created ? 2 : 1);
        EXPECT_TRUE(tool.finished);
        EXPECT_EQ(tool.presses, 0);
    }
}

TEST(AnnotationHover, ChosenOverAnAnnotationWithItsPointerAndHandle)
{
    NoteDoc d;
    CCreateBiaozhu tool;
    const TAnnotationBox b = d.Box();
    auto moveTo = [&](TPosition2D p) {
        const TPosition2D px = d.Pixel(p);
        d.doc.Move(0, px.x, px.y, &tool, d.mode, d.chooser);
    };
    moveTo({b.left + 10, b.top + 10});
    ASSERT_TRUE(d.doc.localCommand);
    EXPECT_EQ(d.doc.localCommand->Kind(), ckMoveBiaoZhu);
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::MoveAll);
    TRecordingCanvas handle;
    d.doc.localCommand->DrawFeedback(d.Net(), handle, d.mode);
    ASSERT_EQ(handle.OfKind(TPrimKind::Rectangle).size(), 1u);
    const int32_t cx = int32_t(b.right), cy = int32_t(b.bottom);
    EXPECT_EQ(handle.OfKind(TPrimKind::Rectangle)[0].rect, (TCanvasRect{cx - 4, cy - 4, cx + 4, cy + 4}));
    EXPECT_EQ(handle.OfKind(TPrimKind::Rectangle)[0].pen.color, 0x0000FF);

    moveTo({b.right + 1, b.bottom + 1});
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::SizeFDiag);
    // Off the annotation: the command answers the move with the arrow and
    // ends its gesture, and the next move lets it go.
    moveTo({b.right + 50, b.bottom + 50});
    ASSERT_TRUE(d.doc.localCommand);
    EXPECT_EQ(d.doc.localCommand->pointer, TPointerShape::Arrow);
    moveTo({b.right + 60, b.bottom + 60});
    EXPECT_FALSE(d.doc.localCommand);

    // No annotation is found in the Gantt view.
    d.Net().networkView = false;
    d.doc.Relayout();
    moveTo({b.left + 10, b.top + 10});
    EXPECT_FALSE(d.doc.localCommand && d.doc.localCommand->Kind() == ckMoveBiaoZhu);
}

TEST(AnnotationHover, DraggingMovesAndTheCornerResizesEachOneUndoStep)
{
    NoteDoc d;
    TSelectCmd tool;
    const TAnnotationBox b = d.Box();
    const double row = d.Note().anchorRow;

    // Moving: the outline follows the pointer, the release moves the box.
    const TPosition2D from{b.left + 10, b.top + 10}, to = from + TPosition2D{30, 25};
    const TPosition2D pf = d.Pixel(from), pt = d.Pixel(to);
    d.doc.Move(0, pf.x, pf.y, &tool, d.mode, d.chooser);
    d.doc.Press(mfLeft, pf.x, pf.y, &tool, d.mode);
    d.doc.Move(mfLeft, pt.x, pt.y, &tool, d.mode, d.chooser);
    TRecordingCanvas outline;
    d.doc.localCommand->DrawFeedback(d.Net(), outline, d.mode);
    ASSERT_EQ(outline.OfKind(TPrimKind::Rectangle).size(), 1u);
    EXPECT_EQ(outline.OfKind(TPrimKind::Rectangle)[0].rect,
              (TCanvasRect{int32_t(b.left + 30), int32_t(b.top + 25), int32_t(b.right + 30),
                           int32_t(b.bottom + 25)}));
    EXPECT_TRUE(outline.OfKind(TPrimKind::DrawText).empty());
    EXPECT_EQ(d.doc.Release(mfLeft, pt.x, pt.y, &tool, d.mode), deRebuild | deRepaint);
    EXPECT_DOUBLE_EQ(d.Box().left, b.left + 30);
    EXPECT_DOUBLE_EQ(d.Box().top, b.top + 25);
    EXPECT_DOUBLE_EQ(d.Note().anchorRow, row + 25 / RowHeight(d.Net()));
    EXPECT_EQ(d.Note().anchor, (TPosition2D{b.left + 30, b.top + 25}));
    EXPECT_EQ(d.doc.history.Count(), 2);
    EXPECT_TRUE(d.Net().modified);
    EXPECT_TRUE(d.Net().annotations.size() == 1 && d.Net().WorkCount() == 4) << "works untouched";

    // Resizing from the corner.
    const TAnnotationBox m = d.Box();
    EXPECT_EQ(d.Drag(tool, {m.right - 1, m.bottom - 1}, {m.left + 100, m.top + 50}),
              deRebuild | deRepaint);
    EXPECT_EQ(d.Note().width, 100);
    EXPECT_EQ(d.Note().height, 50);
    EXPECT_DOUBLE_EQ(d.Box().left, m.left);
    EXPECT_EQ(d.Drag(tool, {m.left + 99, m.top + 49}, {m.left + 8, m.top + 40}), deRebuild | deRepaint);
    EXPECT_EQ(d.Note().width, 10);
    EXPECT_EQ(d.Note().height, 10);
    EXPECT_EQ(d.doc.history.Count(), 4);

    // A click that leaves it where it was records nothing.
    const TAnnotationBox s = d.Box();
    EXPECT_EQ(d.Drag(tool, {s.left + 2, s.top + 2}, {s.left + 2, s.top + 2}), deRepaint);
    EXPECT_EQ(d.doc.history.Count(), 4);

    ASSERT_TRUE(d.doc.Undo());
    d.doc.Relayout();
    EXPECT_EQ(d.Note().width, 100);
    ASSERT_TRUE(d.doc.Undo());
    ASSERT_TRUE(d.doc.Undo());
    d.doc.Relayout();
    EXPECT_DOUBLE_EQ(d.Box().left, b.left);
    EXPECT_DOUBLE_EQ(d.Box().top, b.top);
}

TEST(AnnotationHover, ADoubleClickOpensTheDialogAndTheNextReleaseStays)
{
    TFakeBiaozhuDialog dialog;
    NoteDoc d;
    TSelectCmd tool;
    const TAnnotationBox b = d.Box();
    dialog.text = "拆模";
    EXPECT_EQ(d.DoubleClick(tool, {b.left + 10, b.top + 10}), deRefresh);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(d.Note().text, "拆模");
    EXPECT_DOUBLE_EQ(d.Box().left, b.left);
    EXPECT_DOUBLE_EQ(d.Box().top, b.top);
    EXPECT_EQ(d.doc.history.Count(), 2);
    EXPECT_TRUE(d.Net().modified);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.Note().text, "网络计划标注");

    // 取消 changes nothing and records nothing.
    dialog.ok = false;
    dialog.text = "别的";
    d.DoubleClick(tool, {b.left + 10, b.top + 10});
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(d.Note().text, "网络计划标注");
    EXPECT_EQ(d.doc.history.Count(), 2);
}

TEST(AnnotationPopup, EditSettingsAndDeleteOverAnAnnotation)
{
    TFakeMessages msgs;
    TFakeBiaozhuDialog dialog;
    NoteDoc d;
    TSelectCmd tool;
    const TAnnotationBox b = d.Box();
    const TPosition2D at{b.left + 10, b.top + 10}, p = d.Pixel(at);
    // The right button's press under the hover command marks the annotation.
    d.doc.Move(0, p.x, p.y, &tool, d.mode, d.chooser);
    d.doc.Press(mfRight, p.x, p.y, &tool, d.mode);
    d.doc.Release(mfRight, p.x, p.y, &tool, d.mode);

    dialog.text = "编辑过";
    EXPECT_EQ(PopupEdit(d.doc, at).effects, deRebuild);
    EXPECT_EQ(d.Note().text, "编辑过");
    EXPECT_EQ(d.doc.history.Count(), 2);
    TPopupOutcome out;
    dialog.text = "设置过";
    EXPECT_TRUE(PopupAnnotation(d.doc, out));   // 设置
    EXPECT_EQ(d.Note().text, "设置过");
    EXPECT_EQ(d.doc.history.Count(), 3);
    EXPECT_EQ(dialog.shown, 2);

    msgs.answers = {TMsgAnswer::No};
    PopupDelete(d.doc, at);
    EXPECT_EQ(d.Net().annotations.size(), 1u);
    EXPECT_EQ(d.doc.history.Count(), 3);
    PopupDelete(d.doc, at);
    EXPECT_TRUE(d.Net().annotations.empty());
    EXPECT_EQ(d.doc.history.Count(), 4);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"真的要删除该标注吗?", "真的要删除该标注吗?"}));
    // The hover command outlives its annotation without reaching for it.
    TRecordingCanvas c;
    d.doc.localCommand->DrawFeedback(d.Net(), c, d.mode);
    EXPECT_TRUE(c.primitives.empty());
    // With no annotation under the press, 设置 is the display settings' and
    // 编辑 the works'.
    EXPECT_FALSE(PopupAnnotation(d.doc, out));
    EXPECT_EQ(PopupEdit(d.doc, at).selectTool, ckEdit);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.Net().annotations.size(), 1u);
    EXPECT_EQ(d.Note().text, "设置过");
}

}  // namespace
