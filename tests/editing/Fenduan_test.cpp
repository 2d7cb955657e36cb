#include "editing/Fenduan.h"

#include <gtest/gtest.h>

#include <cmath>

#include "editing/Commanddoc.h"
#include "editing/Fenduancmd.h"
#include "schedule/Calendar.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

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

struct TFakeFenduanDialog : IFenduanDialog {
    TFakeFenduanDialog() { SetFenduanDialog(this); }
    ~TFakeFenduanDialog() override { SetFenduanDialog(nullptr); }
    bool Show(TFenduan& s) override
    {
        ++opened;
        first = s.firstedgeduredit;
        return ok && s.Confirm();
    }
    bool ok = true;
    int opened = 0;
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

}  // namespace
