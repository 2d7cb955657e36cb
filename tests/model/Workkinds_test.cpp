// Work kinds and their rules, the work data record and the derived values.
#include <gtest/gtest.h>

#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

const char* kNotMilestone = "此工作不能作为里程碑！";
const char* kNoAuxiliary = "辅助工作的前后节点间必须还有其它工作，该工作不能设为辅助工作！";
const char* kAuxiliaryToReal = "辅助工作的前后节点间必须还有其它工作，自动转为实工作！";

TEST(CanBeMilestone, AtTheStartOrTheEndOfTheNetwork)
{
    TNetBuilder b;
    b.Work('A', 'B', 0);   // start node with one work into a node with others
    b.Work('B', 'C', 2);
    b.Work('C', 'D', 0);   // end node with one entering work
    b.Work('X', 'Y', 1);   // alone: neither
    EXPECT_TRUE(Tpertgra::CanBeMilestone(b.W("AB")));
    EXPECT_TRUE(Tpertgra::CanBeMilestone(b.W("CD")));
    EXPECT_FALSE(Tpertgra::CanBeMilestone(b.W("BC")));
    EXPECT_FALSE(Tpertgra::CanBeMilestone(b.W("XY")));
}

TEST(ApplyWorkData, MilestoneRefusedWhereItCannotStand)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Place();
    b.net->Recalculate();
    Tworkdata edited = *b.W("AB")->data;
    edited.kind = WorkKind::Milestone;
    edited.name = "";
    b.net->ApplyWorkData(b.W("AB"), edited);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kNotMilestone);
    EXPECT_EQ(messages.shown[0].caption, "警告");
    EXPECT_EQ(messages.shown[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(b.W("AB")->data->kind, WorkKind::Real);
}

TEST(ApplyWorkData, MilestoneAcceptedGetsZeroDurationAndAName)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    Tworkdata edited = *b.W("AB")->data;
    edited.kind = WorkKind::Milestone;
    edited.name = "";
    b.net->ApplyWorkData(b.W("AB"), edited);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(b.W("AB")->data->kind, WorkKind::Milestone);
    EXPECT_EQ(b.W("AB")->data->name, "里程碑");
    EXPECT_FLOAT_EQ(b.W("AB")->data->duration, 0);
}

TEST(ApplyWorkData, AuxiliaryRefusedLeavesTheWorkAsItWas)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Place();
    b.net->Recalculate();
    Tworkdata edited = *b.W("AB")->data;
    edited.kind = WorkKind::Auxiliary;
    edited.name = "改名";
    b.net->ApplyWorkData(b.W("AB"), edited);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kNoAuxiliary});
    EXPECT_EQ(b.W("AB")->data->kind, WorkKind::Real);
    EXPECT_EQ(b.W("AB")->data->name, "AB");
}

TEST(Auxiliary, ParallelPathKeepsItAndLosingItTurnsItReal)
{
    TFakeMessages messages;
    TNetBuilder b;
    for (char n : {'A', 'B', 'C'}) b.Node(n);   // stored in a topological order
    Tedge* aux = b.Work('A', 'C', 2);
    b.Place();
    EXPECT_FALSE(b.net->MakeAuxiliary(aux));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kNoAuxiliary});
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    b.Place();
    EXPECT_TRUE(b.net->MakeAuxiliary(aux));
    b.net->Recalculate();
    EXPECT_EQ(aux->data->kind, WorkKind::Auxiliary);
    EXPECT_FLOAT_EQ(aux->data->duration, 5);
    EXPECT_EQ(messages.shown.size(), 1u);

    // cut the parallel path by relinking B->C to a new end node
    Tvertex* c = b.N('C');
    Tvertex* e = b.Node('E');
    Tedge* bc = b.W("BC");
    bc->toNode = e;
    --c->inCount;
    ++e->inCount;
    b.net->InvalidateStructure();
    b.net->Recalculate();
    EXPECT_EQ(aux->data->kind, WorkKind::Real);
    EXPECT_EQ(messages.Texts().back(), kAuxiliaryToReal);
}

TEST(ApplyWorkData, NewDurationAndStartAreApplied)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 6);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    Tworkdata edited = *b.W("BC")->data;
    edited.duration = 2;
    edited.start = 4;   // within the float [2, 4]
    edited.name = "浇筑";
    b.net->ApplyWorkData(b.W("BC"), edited);
    EXPECT_FLOAT_EQ(b.W("BC")->data->duration, 2);
    EXPECT_FLOAT_EQ(b.W("BC")->data->start, 4);
    EXPECT_EQ(b.W("BC")->data->name, "浇筑");
    EXPECT_FLOAT_EQ(b.N('C')->time, 6);
}

TEST(SetProgress, MarksWorksBeforeAndAfter)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Work('C', 'D', 1);
    b.Work('A', 'E', 1);   // parallel, neither before nor after B->C
    b.Work('E', 'D', 1);
    for (auto& [n, w] : b.works) w->data->progress = 0.3;
    b.net->SetProgress(b.W("BC"), 1.0);
    EXPECT_DOUBLE_EQ(b.W("AB")->data->progress, 0.3);
    b.net->SetProgress(b.W("BC"), -0.01);
    EXPECT_DOUBLE_EQ(b.W("CD")->data->progress, 0.3);
    b.net->SetProgress(b.W("BC"), 0.5);
    EXPECT_DOUBLE_EQ(b.W("BC")->data->progress, 0.5);
    EXPECT_DOUBLE_EQ(b.W("AB")->data->progress, 1.0);
    EXPECT_DOUBLE_EQ(b.W("CD")->data->progress, -0.01);
    EXPECT_DOUBLE_EQ(b.W("AE")->data->progress, 0.3);
    EXPECT_DOUBLE_EQ(b.W("ED")->data->progress, 0.3);
}

TEST(FreeFloat, UsesTheFirstLeavingWorkOnly)
{
    TNetBuilder b;
    b.Work('A', 'B', 6);
    Tedge* second = b.Work('B', 'D', 1);   // starts at 8
    Tedge* first = b.Work('B', 'C', 1);    // head of the list, starts at 10
    first->data->start = 10;
    second->data->start = 8;
    ASSERT_EQ(b.N('B')->firstWork, first);
    EXPECT_FLOAT_EQ(b.W("AB")->FF(), 4);
    b.N('C')->time = 12;
    EXPECT_FLOAT_EQ(first->FF(), 12 - 0 - 1);
}

TEST(TotalDuration, SumsSegmentsAndStopsOnADamagedChain)
{
    TNetBuilder b;
    Tedge* s1 = b.Work('A', 'B', 2);
    Tedge* s2 = b.Work('B', 'C', 3);
    Tedge* s3 = b.Work('C', 'D', 4);
    s1->nextSegment = s2;
    s2->nextSegment = s3;
    EXPECT_FLOAT_EQ(s1->TotalDuration(), 9);
    EXPECT_FLOAT_EQ(s2->TotalDuration(), 7);
    s3->nextSegment = s1;   // damaged: loops back
    EXPECT_FLOAT_EQ(s1->TotalDuration(), 9);
    s1->nextSegment = s1;
    EXPECT_FLOAT_EQ(s1->TotalDuration(), 2);
}

TEST(CopyWorkChain, CopiesTheWholeListWithoutNodes)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('A', 'C', 2);
    b.Work('A', 'D', 3);
    Tedge* copy = Tedge::CopyWorkChain(*b.N('A')->firstWork);
    int n = 0;
    for (Tedge* w = copy; w; w = w->nextWork, ++n) {
        EXPECT_EQ(w->fromNode, nullptr);
        EXPECT_EQ(w->toNode, nullptr);
    }
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(Tedge::SameChain(copy, b.N('A')->firstWork));
    copy->data->name = "x";
    EXPECT_NE(b.N('A')->firstWork->data->name, "x");
    while (copy) {
        Tedge* next = copy->nextWork;
        delete copy;
        copy = next;
    }
}

TEST(Workdata, EqualityToleratesStartOnly)
{
    Tworkdata a, b;
    b.start = 1e-9f;
    EXPECT_TRUE(a == b);
    b.start = 1e-7f;
    EXPECT_FALSE(a == b);
    b = a;
    b.font.color = 0x123456;   // fonts compare by name and size
    EXPECT_TRUE(a == b);
    b.font.size = 11;
    EXPECT_FALSE(a == b);
    b = a;
    b.resources.emplace_back();
    EXPECT_FALSE(a == b);
}

}

namespace {

// Every auxiliary work re-checked at once against one by one in the order of
// the work list: the same kinds, times and messages in the same order.
TEST(RecheckAuxiliaries, MatchesOneByOneInWorkListOrder)
{
    size_t turnedReal = 0, keptAuxiliary = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        TPlanShape shape;
        shape.works = 80 + int32_t(seed * 13 % 200);
        shape.seed = seed;
        shape.auxiliaryShare = 0.0;
        std::unique_ptr<Tpertgra> a;
        {
            TFakeMessages quiet;
            a = GeneratePlan(shape);
        }
        // make every seventh work auxiliary, valid or not
        int i = 0;
        for (const auto& v : a->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (i++ % 7 == 0) w->data->kind = WorkKind::Auxiliary;
        if (seed % 3 == 0) a->nodes.back()->time = 0;   // times no longer rise everywhere
        std::unique_ptr<Tpertgra> b;
        {
            TFakeMessages quiet;
            b = a->Clone();
        }
        TFakeMessages first;
        a->RecheckAuxiliaries();
        const auto shownA = first.Texts();
        first.shown.clear();
        for (Tedge* w : b->AllWorks())
            if (w->data->IsAuxiliary()) b->RecheckAuxiliary(w);
        EXPECT_EQ(shownA, first.Texts()) << "seed " << seed;
        turnedReal += shownA.size();
        for (size_t n = 0; n < a->nodes.size(); ++n)
            for (const Tedge *p = a->nodes[n]->firstWork, *q = b->nodes[n]->firstWork; p && q;
                 p = p->nextWork, q = q->nextWork) {
                ASSERT_EQ(p->data->kind, q->data->kind) << "seed " << seed;
                ASSERT_EQ(p->data->start, q->data->start);
                ASSERT_EQ(p->data->duration, q->data->duration);
                keptAuxiliary += p->data->IsAuxiliary();
            }
    }
    EXPECT_GT(turnedReal, 0u);
    EXPECT_GT(keptAuxiliary, 0u);
}

}
