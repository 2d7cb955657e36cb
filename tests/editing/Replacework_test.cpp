// Replacing a work by the copied works, the question before it, and the
// replace tool's double click.
#include "editing/Replacework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "drawing/Pertdrawmode.h"
#include "drawing/Workgeometry.h"
#include "editing/Importcmd.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"

namespace {

// A-2->B-3->C-2->D on row 0; with `parallel` also A-10->X on row 1.
struct Chain {
    explicit Chain(bool parallel = false)
    {
        b.Work('A', 'B', 2);
        b.Work('B', 'C', 3);
        b.Work('C', 'D', 2);
        if (parallel) {
            b.Work('A', 'X', 10)->row = 1;
            b.N('X')->row = 1;
        }
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
    }
    Tpertgra& Net() { return *b.net; }
    Tedge* Named(const std::string& name)
    {
        for (Tedge* w : Net().AllWorks())
            if (w->data->name == name) return w;
        return nullptr;
    }
    TNetBuilder b;
};

// The copy buffer of P-5->Q-1->R (or a milestone P->Q and Q-1->R), the
// two works on the given rows of the plan they were copied from.
std::unique_ptr<Tpertgra> Clip(int32_t row1, int32_t row2, bool milestoneFirst = false)
{
    TNetBuilder src;
    Tedge* pq = milestoneFirst ? src.Work('P', 'Q', 0, WorkKind::Milestone) : src.Work('P', 'Q', 5);
    Tedge* qr = src.Work('Q', 'R', 1);
    pq->row = row1;
    qr->row = row2;
    src.Place();
    src.net->Recalculate();
    return src.net->BuildFromWorks({pq, qr});
}

TEST(ReplaceWork, ThePastedChainTakesThePlaceOfTheWork)
{
    Chain c;
    const auto clip = Clip(3, 3);
    Tedge* bc = c.b.W("BC");
    ASSERT_EQ(ReplaceWork(c.Net(), bc, *clip), 1);
    Tpertgra& net = c.Net();
    EXPECT_EQ(WorkNames(net), (std::set<std::string>{"AB", "PQ", "QR", "CD"}));
    EXPECT_EQ(LinkProblems(net), "");
    EXPECT_EQ(ComponentCount(net), 1);
    EXPECT_EQ(net.NodeCount(), 5);
    Tedge* ab = c.Named("AB");
    Tedge* pq = c.Named("PQ");
    Tedge* qr = c.Named("QR");
    Tedge* cd = c.Named("CD");
    // The work's predecessor precedes the first pasted work, the last pasted
    // work precedes the work's successor.
    EXPECT_EQ(pq->fromNode, ab->toNode);
    EXPECT_EQ(qr->fromNode, pq->toNode);
    EXPECT_EQ(qr->toNode, cd->fromNode);
    // The selection is exactly the pasted works, the first on the work's row.
    EXPECT_EQ(std::set<Tedge*>(net.selection.begin(), net.selection.end()), (std::set<Tedge*>{pq, qr}));
    EXPECT_EQ(net.selection.size(), 2u);
    EXPECT_EQ(net.selection.front()->row, 0);
    EXPECT_EQ(pq->row, 0);
    EXPECT_EQ(qr->row, 0);
    // The chain is now 2 + 5 + 1 + 2 days long.
    EXPECT_FLOAT_EQ(pq->data->es, 2);
    EXPECT_FLOAT_EQ(qr->data->es, 7);
    EXPECT_FLOAT_EQ(cd->data->es, 8);
    EXPECT_FLOAT_EQ(cd->toNode->time, 10);
    EXPECT_TRUE(pq->data->critical && qr->data->critical);
    // Node numbers run 1..5 and the pasted works have numbers of their own.
    std::set<int32_t> numbers, workNos;
    for (const auto& v : net.nodes) numbers.insert(v->number);
    for (Tedge* w : net.AllWorks()) workNos.insert(w->data->workNo);
    EXPECT_EQ(numbers, (std::set<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(workNos.size(), 4u);
    // The copy buffer is untouched and can be pasted again.
    EXPECT_EQ(clip->WorkCount(), 2);
    ASSERT_EQ(ReplaceWork(net, cd, *clip), 1);
    EXPECT_EQ(net.WorkCount(), 5);
    EXPECT_EQ(ComponentCount(net), 1);
}

TEST(ReplaceWork, PastedWorksOverOtherWorksGetBlankRows)
{
    // Q->R lands one row below P->Q, on A->X's row, over A->X's span; also
    // when the copied works already stand on the rows they go to.
    for (const int32_t firstRow : {5, 0}) {
        SCOPED_TRACE(firstRow);
        Chain c(true);
        const auto clip = Clip(firstRow, firstRow + 1);
        ASSERT_EQ(ReplaceWork(c.Net(), c.b.W("BC"), *clip), 1);
        EXPECT_EQ(c.Named("PQ")->row, 0);
        EXPECT_EQ(c.Named("QR")->row, 1);
        EXPECT_EQ(c.Named("AX")->row, 2);
        EXPECT_EQ(c.Named("AB")->row, 0);
        EXPECT_EQ(c.Named("CD")->row, 0);
        EXPECT_EQ(c.Net().selection.front()->data->name, "PQ");
    }
}

TEST(ReplaceWork, AMilestoneAtTheStartOfTheCopyIsJoinedToo)
{
    Chain c;
    const auto clip = Clip(0, 0, true);
    ASSERT_EQ(ReplaceWork(c.Net(), c.b.W("BC"), *clip), 1);
    EXPECT_EQ(WorkNames(c.Net()), (std::set<std::string>{"AB", "PQ", "QR", "CD"}));
    EXPECT_EQ(ComponentCount(c.Net()), 1);
    EXPECT_EQ(LinkProblems(c.Net()), "");
    EXPECT_EQ(c.Named("PQ")->fromNode, c.Named("AB")->toNode);
    EXPECT_FLOAT_EQ(c.Named("CD")->data->es, 3);
}

TEST(PasteOverWork, AsksFirstAndReplacesOnlyOnYes)
{
    TFakeMessages msgs;
    Chain c;
    const auto clip = Clip(0, 0);
    EXPECT_EQ(PasteOverWork(c.Net(), c.b.W("BC"), clip.get()), 1);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "真的要替换“BC”吗?");
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Question);
    EXPECT_EQ(msgs.shown[0].buttons, TMsgButtons::YesNo);
    EXPECT_EQ(WorkNames(c.Net()), (std::set<std::string>{"AB", "PQ", "QR", "CD"}));

    Chain d;
    const auto before = d.Net().Clone();
    msgs.answers.push_back(TMsgAnswer::No);
    EXPECT_EQ(PasteOverWork(d.Net(), d.b.W("BC"), clip.get()), 0);
    EXPECT_EQ(msgs.shown.size(), 2u);
    EXPECT_TRUE(d.Net().IsSameAs(*before));
}

TEST(PasteOverWork, NothingWithoutAWorkOrWithAnEmptyCopyBuffer)
{
    TFakeMessages msgs;
    Chain c;
    const auto before = c.Net().Clone();
    const auto empty = c.Net().BuildFromWorks({});
    const auto clip = Clip(0, 0);
    EXPECT_EQ(PasteOverWork(c.Net(), c.b.W("BC"), empty.get()), 0);
    EXPECT_EQ(PasteOverWork(c.Net(), c.b.W("BC"), nullptr), 0);
    EXPECT_EQ(PasteOverWork(c.Net(), nullptr, clip.get()), 0);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(c.Net().IsSameAs(*before));
}

TEST(ReplaceTool, DoubleClickOnAWorkPastesTheCopyBufferOverIt)
{
    TFakeMessages msgs;
    Chain c;
    TPertDrawMode mode;
    const auto clip = Clip(0, 0);
    TimportCmd tool;
    EXPECT_EQ(tool.Kind(), ckImport);
    const TWorkGeometry g = TWorkGeometry::Of(*c.b.W("BC"));
    tool.lastPoint = {(g.fromX + g.toX) / 2.0, double(g.lineY)};
    // Without a copy buffer nothing is asked.
    EXPECT_EQ(tool.DoubleClick(c.Net(), mode), 0);
    EXPECT_TRUE(tool.dblClickDone);
    tool.clipSource = [&] { return static_cast<const Tpertgra*>(nullptr); };
    EXPECT_EQ(tool.DoubleClick(c.Net(), mode), 0);
    EXPECT_TRUE(msgs.shown.empty());

    tool.clipSource = [&] { return static_cast<const Tpertgra*>(clip.get()); };
    EXPECT_EQ(tool.DoubleClick(c.Net(), mode), 1);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"真的要替换“BC”吗?"});
    EXPECT_EQ(WorkNames(c.Net()), (std::set<std::string>{"AB", "PQ", "QR", "CD"}));
    EXPECT_TRUE(tool.dblClickDone);
    EXPECT_EQ(tool.presses, 0);

    // The pressed work counts before the work under the pointer.
    tool.pressWork = c.Named("AB");
    tool.lastPoint = {-5000, -5000};
    EXPECT_EQ(tool.DoubleClick(c.Net(), mode), 1);
    EXPECT_EQ(c.Net().WorkCount(), 5);
    EXPECT_EQ(c.Named("AB"), nullptr);
    EXPECT_EQ(tool.pressWork, nullptr);
}

}  // namespace
