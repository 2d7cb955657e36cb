#include "editing/Deletecmd.h"

#include <gtest/gtest.h>

#include "editing/Commanddoc.h"
#include "editing/Deletechoice.h"
#include "editing/Deletedialog.h"
#include "editing/Popupactions.h"
#include "editing/Checkmenu.h"
#include "support/Fakemessages.h"

namespace {

using namespace commanddoc;

// The delete dialog as the commands see it: records the work it was opened
// for, sets the boxes as told and answers 确定 or 取消.
struct TFakeDeleteDialog : IDeleteDialog {
    TFakeDeleteDialog() { SetDeleteDialog(this); }
    ~TFakeDeleteDialog() override { SetDeleteDialog(nullptr); }
    bool Show(TDeleteChoice& choice) override
    {
        ++opened;
        caption = choice.edgeCaption;
        if (onlySuccessors) choice.ClickBackLink();
        return ok;
    }
    bool ok = true;
    bool onlySuccessors = false;
    int opened = 0;
    std::string caption;
};

// A band around everything of the diamond: far corners in drawing units.
const TPosition2D kFar{-5000, -5000};

TPosition2D Below(const Tpertgra& net)
{
    double x = 0, y = 0;
    for (const auto& v : net.nodes) {
        x = std::max(x, double(v->x));
        y = std::max(y, double(v->y));
    }
    return {x + 200, y + 200};
}

TEST(DeleteTool, ABandOverOneWorkOpensTheDialogAndDeletesItAsOneUndoStep)
{
    TFakeMessages msgs;
    TFakeDeleteDialog dialog;
    Doc d(Diamond());
    TDeleteCmd tool;
    Tedge* sa = d.Net().AllWorks().front();
    const std::string name = sa->data->name;
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    const int32_t steps = d.doc.history.Count();
    // A band from just above to just below the work's line catches only it.
    const TWorkGeometry g = TWorkGeometry::Of(*sa);
    const double h = RowHeight(d.Net());
    EXPECT_EQ(d.Drag(tool, {g.fromX + 2.0, g.lineY - h / 4}, {g.toX - 2.0, g.lineY + h / 4}),
              deRebuild | deRepaint);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(dialog.caption, name);   // the work's name
    EXPECT_EQ(d.Net().WorkCount(), works - 1);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    EXPECT_TRUE(msgs.shown.empty());
    d.ExpectUndoTo(works, nodes);
}

TEST(DeleteTool, ABandOverSeveralWorksAsksOnceAndNoKeepsThem)
{
    TFakeMessages msgs;
    TFakeDeleteDialog dialog;
    Doc d(Diamond());
    TDeleteCmd tool;
    const int32_t works = d.Net().WorkCount();
    msgs.answers = {TMsgAnswer::No};
    EXPECT_EQ(d.Drag(tool, kFar, Below(d.Net())), deRepaint);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"真的要删除吗?"});
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(d.Net().WorkCount(), works);
    EXPECT_TRUE(d.Net().selection.empty());
    EXPECT_EQ(dialog.opened, 0);

    // Yes deletes every caught work, recorded as one step.
    const int32_t steps = d.doc.history.Count();
    EXPECT_EQ(d.Drag(tool, kFar, Below(d.Net())), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().WorkCount(), 0);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.Net().WorkCount(), works);
}

TEST(DeleteTool, EmptyBandsCancelAndDoubleClicks)
{
    TFakeMessages msgs;
    TFakeDeleteDialog dialog;
    Doc d(Diamond());
    TDeleteCmd tool;
    const int32_t works = d.Net().WorkCount();
    // Empty ground: a click and a band that catch nothing.
    EXPECT_EQ(d.Drag(tool, kFar, kFar), deRepaint);
    EXPECT_EQ(d.Drag(tool, kFar, {-4000, -4000}), deRepaint);
    EXPECT_EQ(dialog.opened, 0);
    // 取消 on a double-clicked work changes nothing.
    Tedge* w = d.Net().AllWorks().back();
    dialog.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(w, 0.5)), deNothing);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(d.Net().WorkCount(), works);
    // 确定 deletes it.
    dialog.ok = true;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(d.Net().AllWorks().back(), 0.5)), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().WorkCount(), works - 1);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(DeleteTool, DragsFromNodesStillMerge)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    TDeleteCmd tool;
    Tvertex* e = EndNode(d.Net());
    Tvertex* a = nullptr;
    Tvertex* b = nullptr;
    for (Tedge* w : d.Net().WorksInto(e)) (a ? b : a) = w->fromNode;
    const int32_t nodes = d.Net().NodeCount();
    EXPECT_EQ(d.Drag(tool, Doc::At(a), Doc::At(b)), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().NodeCount(), nodes - 1);
}

TEST(SelectTool, CtrlClickOnANodeThenAClickOnAnotherNodeMerges)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    TSelectCmd tool;
    Tvertex* e = EndNode(d.Net());
    Tvertex* a = nullptr;
    Tvertex* b = nullptr;
    for (Tedge* w : d.Net().WorksInto(e)) (a ? b : a) = w->fromNode;
    const int32_t nodes = d.Net().NodeCount();
    const TPosition2D pa = d.Pixel(Doc::At(a)), pb = d.Pixel(Doc::At(b));
    d.doc.Move(0, pa.x, pa.y, &tool, d.mode, d.chooser);
    d.doc.Press(mfLeft | mfCtrl, pa.x, pa.y, &tool, d.mode);
    EXPECT_EQ(d.doc.Release(mfLeft | mfCtrl, pa.x, pa.y, &tool, d.mode), deRepaint);
    d.doc.Move(0, pb.x, pb.y, &tool, d.mode, d.chooser);
    EXPECT_TRUE(tool.markerShown);   // the press marker waits for the target
    d.doc.Press(mfLeft, pb.x, pb.y, &tool, d.mode);
    EXPECT_EQ(d.doc.Release(mfLeft, pb.x, pb.y, &tool, d.mode), deRebuild | deRepaint);
    EXPECT_EQ(d.Net().NodeCount(), nodes - 1);
    // Shift at the release of a drag changes nothing.
    Tvertex* s = d.Net().nodes.front().get();
    const int32_t after = d.Net().NodeCount();
    EXPECT_EQ(d.Drag(tool, Doc::At(s), Doc::At(EndNode(d.Net())), mfShift), deRepaint);
    EXPECT_EQ(d.Net().NodeCount(), after);
}

// The popup menu's work items on the document, and the check items'
// undo steps.
class TStillView : public ICheckView {
public:
    void ScrollTo(double, double) override {}
    double ViewWidth() const override { return 800; }
    double ViewHeight() const override { return 600; }
    void ResizeCanvas() override {}
    void RefreshView() override {}
};

TEST(PopupItems, WithoutAWorkTheyChooseTheirTools)
{
    Doc d(Diamond());
    EXPECT_EQ(PopupEdit(d.doc, kFar).selectTool, ckEdit);
    EXPECT_EQ(PopupDelete(d.doc, kFar).selectTool, ckDelete);
    EXPECT_EQ(PopupPaste(d.doc, kFar, nullptr).selectTool, ckImport);
}

TEST(PopupItems, EditAndDeleteRecordAChangeButNotACancel)
{
    TFakeMessages msgs;
    TFakeDialogs works;
    TFakeDeleteDialog dialog;
    Doc d(Diamond());
    const int32_t steps = d.doc.history.Count();
    Tedge* w = d.Net().AllWorks().front();
    EXPECT_EQ(PopupEdit(d.doc, OnLine(w, 0.5)).effects, deRebuild);
    EXPECT_NE(d.WorkNamed("改过的"), nullptr);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    EXPECT_TRUE(d.Net().modified);

    dialog.ok = false;
    PopupDelete(d.doc, OnLine(d.WorkNamed("改过的"), 0.5));
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    // Cutting the successor links of the only work into the end node cuts
    // nothing, so nothing is recorded either.
    dialog.ok = true;
    dialog.onlySuccessors = true;
    TNetBuilder chain;
    chain.Work('A', 'B', 2);
    chain.Place();
    Doc one(std::move(chain.net));
    PopupDelete(one.doc, OnLine(one.Net().AllWorks().front(), 0.5));
    EXPECT_EQ(dialog.opened, 2);
    EXPECT_EQ(one.doc.history.Count(), 1);
    dialog.onlySuccessors = false;
    const int32_t works0 = d.Net().WorkCount();
    PopupDelete(d.doc, OnLine(d.WorkNamed("改过的"), 0.5));
    EXPECT_EQ(d.Net().WorkCount(), works0 - 1);
    EXPECT_EQ(d.doc.history.Count(), steps + 2);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_NE(d.WorkNamed("改过的"), nullptr);
}

TEST(PopupItems, PasteOverAWorkAsksAndIsOneUndoStep)
{
    TFakeMessages msgs;
    Doc d(Diamond());
    std::vector<Tedge*> all = d.Net().AllWorks();
    auto clip = d.Net().BuildFromWorks({all.front()});
    Tedge* target = all.back();
    const std::string name = target->data->name;
    const int32_t works = d.Net().WorkCount(), steps = d.doc.history.Count();
    msgs.answers = {TMsgAnswer::No};
    EXPECT_EQ(PopupPaste(d.doc, OnLine(target, 0.5), clip.get()).effects, 0);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"真的要替换“" + name + "”吗?"});
    EXPECT_EQ(d.doc.history.Count(), steps);
    EXPECT_EQ(PopupPaste(d.doc, OnLine(target, 0.5), clip.get()).effects, deRebuild);
    EXPECT_EQ(d.WorkNamed(name), nullptr);
    EXPECT_EQ(d.Net().WorkCount(), works);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_NE(d.WorkNamed(name), nullptr);
    // An empty copy buffer asks nothing.
    const size_t asked = msgs.shown.size();
    PopupPaste(d.doc, OnLine(d.WorkNamed(name), 0.5), nullptr);
    EXPECT_EQ(msgs.shown.size(), asked);
}

TEST(PopupItems, AStartNodeMergeFromTheCheckMenuCanBeUndone)
{
    TFakeMessages msgs;
    TNetBuilder b;
    b.Work('A', 'C', 2);
    b.Work('B', 'C', 3);
    b.Place();
    Doc d(std::move(b.net));
    TStillView view;
    const int32_t steps = d.doc.history.Count();
    const int32_t nodes = d.Net().NodeCount();
    msgs.answers = {TMsgAnswer::Yes};
    PopupCheck(d.doc, ciStartNodes, view);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"该网络图有2个起点,是否合为单起点？"});
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_EQ(d.Net().NodeCount(), nodes);
    // A single start node only reports.
    PopupCheck(d.doc, ciEndNodes, view);
    EXPECT_EQ(msgs.Texts().back(), "检查已完成，该网络图为单终点!");
}

}  // namespace
