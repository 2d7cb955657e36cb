#include "editing/Fenduan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "editing/Commanddoc.h"
#include "editing/Fenduancmd.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Scheduleinvariant.h"

namespace {

// SA (10) followed by AB (2).
struct Pair {
    TNetBuilder b;
    Tedge* sa;
    Tedge* ab;
    Pair()
    {
        sa = b.Work('S', 'A', 10);
        ab = b.Work('A', 'B', 2);
        b.Place();
        b.net->Recalculate();
    }
};

TEST(SplitWork, FourAndSixGiveTwoSegmentsWithAnUnnamedSecondAndAJoint)
{
    Pair p;
    ASSERT_EQ(SplitWork(*p.b.net, p.sa, 4, 6), 1);
    Tedge* second = p.sa->nextSegment;
    ASSERT_NE(second, nullptr);
    EXPECT_FLOAT_EQ(p.sa->data->duration, 4);
    EXPECT_FLOAT_EQ(second->data->duration, 6);
    EXPECT_EQ(second->data->name, "");
    EXPECT_TRUE(second->isContinuation);
    EXPECT_TRUE(p.sa->toNode->joint);
    EXPECT_EQ(second->fromNode, p.sa->toNode);
    EXPECT_EQ(second->toNode, p.b.N('A'));
    EXPECT_EQ(second->row, p.sa->row);
    EXPECT_FLOAT_EQ(p.ab->data->start, 10);   // the successor keeps its planned start
    // The last segment splits again and the chain stays intact.
    ASSERT_EQ(SplitWork(*p.b.net, second, 2, 4), 1);
    EXPECT_EQ(p.sa->nextSegment, second);
    ASSERT_NE(second->nextSegment, nullptr);
    EXPECT_FLOAT_EQ(second->nextSegment->data->duration, 4);
}

TEST(SplitWork, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        float f, g;
        bool segmented;
        bool auxiliary;
    };
    const Case cases[] = {{"zero first", 0, 10, false, false},  {"zero second", 10, 0, false, false},
                          {"not a number", NAN, 5, false, false}, {"has a next segment", 4, 6, true, false},
                          {"auxiliary", 4, 6, false, true}};
    for (const Case& c : cases) {
        Pair p;
        if (c.segmented) {
            ASSERT_EQ(SplitWork(*p.b.net, p.sa, 5, 5), 1);
        }
        if (c.auxiliary) p.sa->data->kind = WorkKind::Auxiliary;
        const auto before = p.b.net->Clone();
        EXPECT_EQ(SplitWork(*p.b.net, p.sa, c.f, c.g), 0) << c.what;
        EXPECT_TRUE(p.b.net->IsSameAs(*before)) << c.what;
    }
}

TEST(SplitDialog, FieldsKeepTheTotalAndRefuseWhatIsNoSplit)
{
    TFakeMessages msgs;
    Pair p;
    TFenduan s(p.b.net.get(), p.sa, 4.6);
    EXPECT_EQ(s.firstedgeduredit, "4");
    EXPECT_EQ(s.secondedgeduredit, "6");
    EXPECT_EQ(s.scrollMax, 10);
    EXPECT_EQ(s.scrollPos, 4);
    EXPECT_EQ(std::floor(s.dtpfenduantime), DateOfDay(*p.b.net, 4));   // the picker shows the day
    struct Case {
        const char* text;
        const char* first;
        const char* second;
        const char* message;
    };
    const Case cases[] = {{"3", "3", "7", nullptr},
                          {"", "0", "10", nullptr},
                          {"abc", "4", "6", "请输入数字"},
                          {"1.2.3", "4", "6", "请输入数字"},
                          {"12", "4", "6", "此值不能大于持续时间"}};
    for (const Case& c : cases) {
        msgs.shown.clear();
        s.FirstEdited(c.text);
        EXPECT_EQ(s.firstedgeduredit, c.first) << c.text;
        EXPECT_EQ(s.secondedgeduredit, c.second) << c.text;
        EXPECT_EQ(msgs.Texts(), c.message ? std::vector<std::string>{c.message}
                                          : std::vector<std::string>{}) << c.text;
    }
    s.FirstEdited("");
    EXPECT_FALSE(s.Confirm());
    EXPECT_EQ(msgs.Texts().back(), "前段工作时间不能为0!");
    s.SecondEdited("");
    EXPECT_FALSE(s.Confirm());
    EXPECT_EQ(msgs.Texts().back(), "后段工作时间不能为0!");
    EXPECT_EQ(p.sa->nextSegment, nullptr);
    s.ScrollTo(7);
    EXPECT_EQ(s.secondedgeduredit, "3");
    EXPECT_TRUE(s.Confirm());
    EXPECT_FLOAT_EQ(p.sa->data->duration, 7);
}

// SA (10) then AB (2), beside SB (20): AB has 8 days of float and is
// planned inside it, at 15.
struct Floating {
    TNetBuilder b;
    Tedge* sa;
    Tedge* ab;
    Floating()
    {
        sa = b.Work('S', 'A', 10);
        ab = b.Work('A', 'B', 2);
        b.Work('S', 'B', 20)->row = 1;
        b.Place();
        b.net->Recalculate();
        b.net->PlaceWork(ab, 15, 2);
        b.net->Recalculate();
    }
};

TEST(SegmentEdits, OnlyThePairAndWhatItPushesLaterMove)
{
    struct Case {
        const char* what;
        TSegmentEdit edit;
        float f, g;
        float firstDuration;   // of SA afterwards
        bool segmented;        // SA still has a next segment
        int32_t works;
    };
    const Case cases[] = {{"split only", TSegmentEdit::Divide, 0, 0, 4, true, 4},
                          {"divide 7 + 3", TSegmentEdit::Divide, 7, 3, 7, true, 4},
                          {"divide 2 + 8", TSegmentEdit::Divide, 2, 8, 2, true, 4},
                          {"merge", TSegmentEdit::Merge, 0, 0, 10, false, 3},
                          {"separate", TSegmentEdit::Separate, 0, 0, 4, false, 4}};
    for (const Case& c : cases) {
        Floating p;
        Tpertgra& net = *p.b.net;
        ASSERT_EQ(SplitWork(net, p.sa, 4, 6), 1);
        EXPECT_FLOAT_EQ(p.ab->data->start, 15) << c.what;
        Tedge* second = p.sa->nextSegment;
        if (c.f > 0 || c.edit != TSegmentEdit::Divide) {
            ASSERT_EQ(EditSegments(net, p.sa, c.edit, c.f, c.g), 1) << c.what;
        }
        EXPECT_FLOAT_EQ(p.ab->data->start, 15) << c.what;   // the successor keeps its planned start
        EXPECT_FLOAT_EQ(p.b.N('A')->time, 10) << c.what;
        EXPECT_FLOAT_EQ(p.sa->data->duration, c.firstDuration) << c.what;
        EXPECT_EQ(p.sa->nextSegment != nullptr, c.segmented) << c.what;
        EXPECT_EQ(net.WorkCount(), c.works) << c.what;
        if (c.edit == TSegmentEdit::Merge) {
            EXPECT_EQ(p.sa->toNode, p.b.N('A')) << c.what;
        } else {
            EXPECT_FLOAT_EQ(second->data->duration, 10 - c.firstDuration) << c.what;
            EXPECT_FLOAT_EQ(second->data->start, c.firstDuration) << c.what;
            EXPECT_EQ(second->isContinuation, c.segmented) << c.what;
            EXPECT_EQ(p.sa->toNode->joint, c.segmented) << c.what;
        }
        EXPECT_EQ(ScheduleProblems(net), "") << c.what;
    }
}

TEST(SegmentEdits, ALongerSegmentPushesItsFollowersLater)
{
    Pair p;   // SA (10), AB (2): AB has no float
    Tpertgra& net = *p.b.net;
    ASSERT_EQ(SplitWork(net, p.sa, 4, 6), 1);
    Tedge* second = p.sa->nextSegment;
    // 4 + 6 become 5 + 9: the pair grows by 4 days and AB follows.
    ASSERT_EQ(EditSegments(net, p.sa, TSegmentEdit::Divide, 5, 9), 1);
    EXPECT_FLOAT_EQ(second->data->start, 5);
    EXPECT_FLOAT_EQ(p.b.N('A')->time, 14);
    EXPECT_FLOAT_EQ(p.ab->data->start, 14);
    EXPECT_EQ(ScheduleProblems(net), "");
    EXPECT_EQ(EditSegments(net, p.sa, TSegmentEdit::Divide, 0, 14), 0);
    EXPECT_EQ(EditSegments(net, p.ab, TSegmentEdit::Merge, 0, 0), 0);   // no next segment
}

TEST(SegmentEdits, NeighbouringSegmentsStayLinked)
{
    // X (12) split into 3 + 4 + 5: segments s1, s2, s3.
    struct Case {
        const char* what;
        int pair;   // 0: s1 with s2 (s3 after), 1: s2 with s3 (s1 before)
        TSegmentEdit edit;
    };
    const Case cases[] = {{"merge first pair", 0, TSegmentEdit::Merge},
                          {"separate first pair", 0, TSegmentEdit::Separate},
                          {"divide first pair", 0, TSegmentEdit::Divide},
                          {"merge second pair", 1, TSegmentEdit::Merge},
                          {"separate second pair", 1, TSegmentEdit::Separate},
                          {"divide second pair", 1, TSegmentEdit::Divide}};
    for (const Case& c : cases) {
        TNetBuilder b;
        Tedge* s1 = b.Work('S', 'E', 12);
        b.Place();
        b.net->Recalculate();
        Tpertgra& net = *b.net;
        ASSERT_EQ(SplitWork(net, s1, 3, 9), 1);
        Tedge* s2 = s1->nextSegment;
        ASSERT_EQ(SplitWork(net, s2, 4, 5), 1);
        Tedge* s3 = s2->nextSegment;
        Tedge* work = c.pair == 0 ? s1 : s2;
        const float d1 = work->data->duration, d2 = work->nextSegment->data->duration;
        ASSERT_EQ(EditSegments(net, work, c.edit, d1 + 1, d2 - 1), 1) << c.what;
        if (c.pair == 0) {
            // s3 stays the segment after what became of the pair.
            Tedge* before3 = c.edit == TSegmentEdit::Merge ? s1 : s2;
            EXPECT_EQ(before3->nextSegment, s3) << c.what;
            EXPECT_TRUE(s3->isContinuation) << c.what;
            EXPECT_TRUE(s3->fromNode->joint) << c.what;
        } else {
            EXPECT_EQ(s1->nextSegment, s2) << c.what;
            EXPECT_TRUE(s2->isContinuation) << c.what;
            EXPECT_TRUE(s1->toNode->joint) << c.what;
        }
        // The edit may merge away the builder's end node: the plan still
        // ends on day 12.
        float end = 0;
        for (const auto& v : net.nodes) end = std::max(end, v->time);
        EXPECT_FLOAT_EQ(end, 12) << c.what;
        EXPECT_EQ(ScheduleProblems(net), "") << c.what;
    }
}

TEST(SegmentDialog, EditModeShowsThePairAndConfirmsTheChoice)
{
    TFakeMessages msgs;
    Pair p;
    ASSERT_EQ(SplitWork(*p.b.net, p.sa, 4, 6), 1);
    TFenduan s = TFenduan::ForSegments(p.b.net.get(), p.sa);
    EXPECT_EQ(s.mode, 'e');
    EXPECT_EQ(s.editselectbox, TSegmentEdit::Divide);
    EXPECT_EQ(s.worknameedit, "SA");
    EXPECT_EQ(s.firstedgeduredit, "4");
    EXPECT_EQ(s.secondedgeduredit, "6");
    EXPECT_EQ(s.scrollMax, 10);
    EXPECT_EQ(s.scrollPos, 4);
    EXPECT_EQ(s.workduredit, "10");
    EXPECT_EQ(std::floor(s.dtpfenduantime), DateOfDay(*p.b.net, 4));
    EXPECT_EQ(std::floor(s.workendtimedt), DateOfDay(*p.b.net, 9));
    // A refused text brings back the pair's own division.
    s.FirstEdited("12");
    EXPECT_EQ(s.firstedgeduredit, "4");
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"此值不能大于持续时间"});
    s.SecondEdited("2.5");
    EXPECT_EQ(s.firstedgeduredit, "7.5");
    EXPECT_TRUE(s.Confirm());
    EXPECT_FLOAT_EQ(p.sa->data->duration, 7.5);
    EXPECT_FLOAT_EQ(p.sa->nextSegment->data->duration, 2.5);

    TFenduan m = TFenduan::ForSegments(p.b.net.get(), p.sa);
    m.editselectbox = TSegmentEdit::Merge;
    EXPECT_TRUE(m.Confirm());
    EXPECT_EQ(p.sa->nextSegment, nullptr);
    EXPECT_FLOAT_EQ(p.sa->data->duration, 10);
}

TEST(SegmentDialog, DamagedDurationsGiveFieldsInRange)
{
    struct Case {
        float duration;
        int32_t scrollMax;
    };
    for (const Case c : {Case{NAN, 0}, Case{INFINITY, 0}, Case{-3, 0}, Case{3e30f, 2147483647}}) {
        Pair p;
        p.sa->data->duration = c.duration;
        TFenduan s(p.b.net.get(), p.sa, 4);
        EXPECT_EQ(s.scrollMax, c.scrollMax) << c.duration;
        EXPECT_GE(s.scrollPos, 0) << c.duration;
        EXPECT_LE(s.scrollPos, s.scrollMax) << c.duration;
        EXPECT_GE(s.workendtimedt, s.workstarttimedt) << c.duration;
    }
}

TEST(SegmentDialog, FinishDatesAgreeWithTheWorkDialog)
{
    // A finish is shown on the day the work's last part lies in: 2.5 days
    // from day 0 finish on day 2, as the work dialog shows them.
    Pair p;
    p.sa->data->duration = 2.5;
    TFenduan s(p.b.net.get(), p.sa, 1);
    EXPECT_EQ(std::floor(s.workendtimedt), std::floor(WorkFinishDate(*p.b.net, *p.sa)));
    EXPECT_EQ(std::floor(s.workendtimedt), DateOfDay(*p.b.net, 2));
}

struct TFakeFenduanDialog : IFenduanDialog {
    TFakeFenduanDialog() { SetFenduanDialog(this); }
    ~TFakeFenduanDialog() override { SetFenduanDialog(nullptr); }
    bool Show(TFenduan& s) override
    {
        ++opened;
        mode = s.mode;
        first = s.firstedgeduredit;
        s.editselectbox = edit;
        return ok && s.Confirm();
    }
    bool ok = true;
    int opened = 0;
    char mode = 0;
    TSegmentEdit edit = TSegmentEdit::Divide;
    std::string first;
};

TEST(SplitDialog, TheToolSplitsAtTheDoubleClickedDayAsOneUndoStep)
{
    using namespace commanddoc;
    TFakeMessages msgs;
    TFakeFenduanDialog dialog;
    Pair p;
    Doc d(std::move(p.b.net));
    TFenduanCmd tool;
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    const int32_t steps = d.doc.history.Count();
    Tedge* sa = d.WorkNamed("SA");
    dialog.ok = false;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.45)), deNothing);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(d.doc.history.Count(), steps);
    // On a node: no dialog.
    EXPECT_EQ(d.DoubleClick(tool, Doc::At(sa->fromNode)), deNothing);
    EXPECT_EQ(dialog.opened, 1);
    dialog.ok = true;
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.45)), deRebuild | deRepaint);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    EXPECT_EQ(d.Net().WorkCount(), works + 1);
    ASSERT_NE(sa->nextSegment, nullptr);
    EXPECT_FLOAT_EQ(sa->data->duration, std::stof(dialog.first));
    d.ExpectUndoTo(works, nodes);
}

TEST(SegmentDialog, AClickOnAFirstSegmentEditsThePairAsOneUndoStep)
{
    using namespace commanddoc;
    TFakeMessages msgs;
    TFakeFenduanDialog dialog;
    Pair p;
    ASSERT_EQ(SplitWork(*p.b.net, p.sa, 4, 6), 1);
    p.b.net->Recalculate();
    Doc d(std::move(p.b.net));
    TFenduanCmd tool;
    const int32_t works = d.Net().WorkCount(), nodes = d.Net().NodeCount();
    const int32_t steps = d.doc.history.Count();
    Tedge* sa = d.WorkNamed("SA");
    Tedge* ab = d.WorkNamed("AB");
    // A work without a next segment: selected, no dialog.
    EXPECT_EQ(d.Drag(tool, OnLine(ab, 0.5), OnLine(ab, 0.5)), deRepaint);
    EXPECT_EQ(dialog.opened, 0);
    EXPECT_EQ(d.Net().selection, std::vector<Tedge*>{ab});
    // 取消: nothing recorded, the selection cleared all the same.
    dialog.ok = false;
    EXPECT_EQ(d.Drag(tool, OnLine(sa, 0.5), OnLine(sa, 0.5)), deRepaint);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(dialog.mode, 'e');
    EXPECT_TRUE(d.Net().selection.empty());
    EXPECT_EQ(d.doc.history.Count(), steps);
    // 合并 with 确定: one step, undone exactly.
    const auto before = d.Net().Clone();
    dialog.ok = true;
    dialog.edit = TSegmentEdit::Merge;
    EXPECT_EQ(d.Drag(tool, OnLine(sa, 0.5), OnLine(sa, 0.5)), deRebuild | deRepaint);
    EXPECT_EQ(d.doc.history.Count(), steps + 1);
    EXPECT_EQ(d.Net().WorkCount(), works - 1);
    EXPECT_TRUE(d.Net().selection.empty());
    d.ExpectUndoTo(works, nodes);
    EXPECT_TRUE(d.doc.network->IsSameAs(*before));
}

TEST(SegmentDialog, TheReleaseAfterADoubleClickSplitOpensNoEdit)
{
    using namespace commanddoc;
    TFakeMessages msgs;
    TFakeFenduanDialog dialog;
    Pair p;
    Doc d(std::move(p.b.net));
    TFenduanCmd tool;
    Tedge* sa = d.WorkNamed("SA");
    EXPECT_EQ(d.DoubleClick(tool, OnLine(sa, 0.45)), deRebuild | deRepaint);
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(dialog.mode, 'a');
    ASSERT_NE(sa->nextSegment, nullptr);
}

}  // namespace
