// Deleting works and cutting their links: the network stays connected, rows
// close up, and every refusal leaves the network as it was.
#include "editing/Linkcut.h"
#include "editing/Workdelete.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "drawing/Timeaxis.h"
#include "editing/Networkchecks.h"
#include "editing/Networkshape.h"
#include "editing/Relayout.h"
#include "editing/Rowops.h"
#include "gantt/Gantt.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

void Segments(TNetBuilder& b, std::initializer_list<const char*> names)
{
    std::vector<Tedge*> segs;
    for (const char* n : names) segs.push_back(b.W(n));
    for (size_t i = 0; i + 1 < segs.size(); ++i) {
        segs[i]->nextSegment = segs[i + 1];
        segs[i + 1]->isContinuation = true;
        segs[i]->toNode->joint = true;
    }
}

struct Shape {
    const char* name;
    std::function<void(TNetBuilder&)> build;
};

const Shape kShapes[] = {
    {"chain",
     [](TNetBuilder& b) {
         b.Work('A', 'B', 3);
         b.Work('B', 'C', 4);
         b.Work('C', 'D', 2);
     }},
    {"fork",
     [](TNetBuilder& b) {
         b.Work('A', 'B', 1);
         b.Work('B', 'C', 2);
         b.Work('B', 'D', 3);
         b.Work('B', 'E', 1);
         b.Work('C', 'F', 0, WorkKind::Dummy);
         b.Work('D', 'F', 1);
         b.Work('E', 'F', 0, WorkKind::Dummy);
     }},
    {"join",
     [](TNetBuilder& b) {
         b.Work('A', 'C', 2);
         b.Work('B', 'C', 3);
         b.Work('C', 'D', 1);
     }},
    {"diamond with a dummy",
     [](TNetBuilder& b) {
         b.Work('A', 'B', 2);
         b.Work('A', 'C', 4);
         b.Work('B', 'C', 0, WorkKind::Dummy);
         b.Work('B', 'D', 3);
         b.Work('C', 'D', 1);
     }},
    {"segmented work with a work leaving a joint",
     [](TNetBuilder& b) {
         b.Work('A', 'J', 2);
         b.Work('J', 'K', 3);
         b.Work('K', 'B', 1);
         b.Work('A', 'C', 1);
         b.Work('C', 'B', 2);
         b.Work('J', 'D', 2);
         b.Work('D', 'B', 1);
         Segments(b, {"AJ", "JK", "KB"});
     }},
    {"milestone at the start",
     [](TNetBuilder& b) {
         b.Work('H', 'A', 0, WorkKind::Milestone);
         b.Work('A', 'B', 2);
         b.Work('X', 'B', 1);
         b.Work('B', 'C', 3);
     }},
    {"milestone at the end",
     [](TNetBuilder& b) {
         b.Work('A', 'F', 1);
         b.Work('F', 'T', 2);
         b.Work('F', 'G', 3);
         b.Work('T', 'E', 0, WorkKind::Milestone);
     }},
};

std::unique_ptr<TNetBuilder> Built(const Shape& s)
{
    auto b = std::make_unique<TNetBuilder>();
    s.build(*b);
    b->Place();
    b->net->Recalculate();
    LayoutNetwork(*b->net);
    return b;
}

TEST(DeleteWork, KeepsEverySmallNetworkConnected)
{
    for (const Shape& s : kShapes) {
        for (const std::string& name : WorkNames(*Built(s)->net)) {
            SCOPED_TRACE(std::string(s.name) + ", deleting " + name);
            TFakeMessages messages;
            auto b = Built(s);
            Tpertgra& net = *b->net;
            const size_t starts = StartNodes(net).size();
            const size_t ends = EndNodes(net).size();
            std::set<std::string> want = WorkNames(net);
            want.erase(name);

            ASSERT_EQ(DeleteWork(net, b->W(name)), 1);
            net.Recalculate();

            EXPECT_EQ(LinkProblems(net), "");
            EXPECT_EQ(WorkNames(net), want);   // no other work went with it
            EXPECT_LE(ComponentCount(net), 1);
            EXPECT_LE(StartNodes(net).size(), starts);
            EXPECT_LE(EndNodes(net).size(), ends);
            EXPECT_EQ(net.order.size(), net.nodes.size());
            EXPECT_TRUE(messages.shown.empty());
            for (const auto& v : net.nodes)
                for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                    if (w->data->IsMilestone()) {
                        EXPECT_TRUE(Tpertgra::CanBeMilestone(w));
                    }
                    // segment links only between live works
                    if (w->nextSegment) {
                        EXPECT_EQ(w->nextSegment->fromNode, w->toNode);
                    }
                }
        }
    }
}

TEST(DeleteWork, ChainEndsLoseTheirNodesWithoutMerging)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    Tvertex* B = b.N('B');
    Tvertex* C = b.N('C');
    ASSERT_EQ(DeleteWork(*b.net, b.W("AB")), 1);
    EXPECT_EQ(b.net->NodeCount(), 2);
    EXPECT_EQ(b.net->nodes[0].get(), B);
    EXPECT_EQ(B->firstWork, b.W("BC"));
    EXPECT_EQ(b.net->order.size(), 2u);   // renumbered

    TNetBuilder c;
    c.Work('A', 'B', 3);
    c.Work('B', 'C', 4);
    ASSERT_EQ(DeleteWork(*c.net, c.W("BC")), 1);
    EXPECT_EQ(c.net->NodeCount(), 2);
    EXPECT_EQ(WorkNames(*c.net), (std::set<std::string>{"AB"}));
    (void)C;
}

TEST(DeleteWork, ASideWorkTakesOnlyItsOwnNode)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'D', 2);
    b.Work('X', 'B', 1);
    b.Place();
    b.net->Recalculate();
    ASSERT_EQ(DeleteWork(*b.net, b.W("XB")), 1);
    EXPECT_EQ(b.net->NodeCount(), 3);
    EXPECT_EQ(b.N('B')->inCount, 1);
    EXPECT_EQ(b.N('B')->outCount, 1);
    EXPECT_EQ(b.net->IndexOfNode(b.N('A')), 0);
}

TEST(DeleteWork, AnOnlyEnteringWorkMergesItsStartIntoItsEnd)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);   // a: B's only entering work
    b.Work('B', 'C', 2);   // c
    b.Work('A', 'E', 1);   // d
    b.Place();
    b.net->Recalculate();
    Tvertex* B = b.N('B');
    ASSERT_EQ(DeleteWork(*b.net, b.W("AB")), 1);
    b.net->Recalculate();
    EXPECT_EQ(b.net->NodeCount(), 3);   // A merged away
    EXPECT_EQ(b.W("AE")->fromNode, B);
    EXPECT_FLOAT_EQ(b.W("AE")->data->start, B->time);
    EXPECT_FLOAT_EQ(B->time, 0);         // the merged start moved the plan to day 0
    EXPECT_EQ(B->outCount, 2);
    EXPECT_EQ(LinkProblems(*b.net), "");
}

TEST(DeleteWork, TheMergedStartsPredecessorsNowPrecedeTheSuccessors)
{
    TNetBuilder b;
    b.Work('P', 'A', 2);
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    b.Work('A', 'E', 1);
    b.Place();
    b.net->Recalculate();
    ASSERT_EQ(DeleteWork(*b.net, b.W("AB")), 1);
    b.net->Recalculate();
    Tvertex* B = b.N('B');
    EXPECT_EQ(b.W("PA")->toNode, B);
    EXPECT_EQ(b.W("AE")->fromNode, B);
    // B settles where its new entering work ends, its works with it
    EXPECT_FLOAT_EQ(B->time, 2);
    EXPECT_FLOAT_EQ(b.W("BC")->data->start, 2);
    EXPECT_FLOAT_EQ(b.N('C')->time, 4);
}

TEST(DeleteWork, AWorkBesideASegmentJointKeepsTheJointAndTheNetworkWhole)
{
    // Merging the joint away would be refused; the other node is merged
    // into the joint instead, so nothing falls apart.
    TNetBuilder b;
    b.Work('P', 'J', 2);
    b.Work('J', 'Q', 3);
    b.Work('J', 'T', 1);
    b.Work('T', 'U', 2);
    b.Work('Q', 'U', 1);
    Segments(b, {"PJ", "JQ"});
    b.Place();
    b.net->Recalculate();
    Tvertex* J = b.N('J');
    ASSERT_EQ(DeleteWork(*b.net, b.W("JT")), 1);
    b.net->Recalculate();
    EXPECT_EQ(b.W("TU")->fromNode, J);
    EXPECT_TRUE(J->joint);
    EXPECT_EQ(b.W("PJ")->nextSegment, b.W("JQ"));
    EXPECT_EQ(ComponentCount(*b.net), 1);
    EXPECT_EQ(StartNodes(*b.net).size(), 1u);
}

TEST(DeleteWork, AMilestoneNextToTheDeletedWorkKeepsItsPlace)
{
    // H -milestone-> A -> B: without A's only leaving work, A carries only
    // the milestone; it is merged into B, so the milestone marks B's start.
    TNetBuilder b;
    b.Work('H', 'A', 0, WorkKind::Milestone);
    b.Work('A', 'B', 2);
    b.Work('X', 'B', 1);
    b.Work('B', 'C', 3);
    b.Place();
    b.net->Recalculate();
    ASSERT_EQ(DeleteWork(*b.net, b.W("AB")), 1);
    b.net->Recalculate();
    LayoutNetwork(*b.net);   // the tidying would remove a lone milestone
    ASSERT_EQ(WorkNames(*b.net), (std::set<std::string>{"HA", "XB", "BC"}));
    EXPECT_EQ(b.W("HA")->toNode, b.N('B'));
    EXPECT_TRUE(Tpertgra::CanBeMilestone(b.W("HA")));
}

TEST(DeleteWork, ASegmentLeavesItsNeighboursAsIndependentWorks)
{
    TNetBuilder b;
    b.Work('A', 'J', 2);
    b.Work('J', 'K', 3);
    b.Work('K', 'B', 1);
    b.Work('A', 'C', 1);
    b.Work('C', 'B', 2);
    Segments(b, {"AJ", "JK", "KB"});
    b.Place();
    b.net->Recalculate();
    ASSERT_EQ(DeleteWork(*b.net, b.W("JK")), 1);
    EXPECT_EQ(b.W("AJ")->nextSegment, nullptr);
    EXPECT_FALSE(b.W("KB")->isContinuation);
    EXPECT_EQ(b.W("AJ")->toNode, b.W("KB")->fromNode);   // J and K merged
    for (const auto& v : b.net->nodes) EXPECT_FALSE(v->joint);
}

TEST(DeleteWork, ARowLeftWithoutWorksCloses)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    b.Work('A', 'D', 1)->row = 3;   // the only work on row 3
    b.Work('D', 'C', 1)->row = 4;
    b.Work('A', 'E', 1)->row = 5;
    b.Work('E', 'C', 1)->row = 5;
    b.N('D')->row = 4;
    b.N('E')->row = 5;
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    const int32_t h = int32_t(RowHeight(*b.net));
    const int32_t eY = b.N('E')->y;
    ASSERT_EQ(DeleteWork(*b.net, b.W("AD")), 1);
    EXPECT_EQ(b.W("DC")->row, 3);
    EXPECT_EQ(b.W("AE")->row, 4);
    EXPECT_EQ(b.W("EC")->row, 4);
    EXPECT_EQ(b.N('D')->row, 3);
    EXPECT_EQ(b.N('E')->row, 4);
    EXPECT_EQ(b.N('E')->y, eY - h);
    EXPECT_EQ(b.W("AB")->row, 0);

    // a row that still holds another work stays
    ASSERT_EQ(DeleteWork(*b.net, b.W("EC")), 1);
    EXPECT_EQ(b.W("AE")->row, 4);
}

TEST(DeleteWork, TheDeletedWorkLeavesTheSelectionAndTheGanttViews)
{
    TNetBuilder b;
    Tedge* ab = b.Work('A', 'B', 3);
    Tedge* bc = b.Work('B', 'C', 2);
    b.net->selection = {ab, bc};
    b.net->liveGantt.currentWork = ab;
    b.net->ganttScreenPreset.currentWork = ab;
    b.net->ganttPrintPreset.currentWork = bc;
    ASSERT_EQ(DeleteWork(*b.net, ab), 1);
    EXPECT_EQ(b.net->selection, std::vector<Tedge*>{bc});
    EXPECT_EQ(b.net->liveGantt.currentWork, nullptr);
    EXPECT_EQ(b.net->ganttScreenPreset.currentWork, nullptr);
    EXPECT_EQ(b.net->ganttPrintPreset.currentWork, bc);
}

TEST(DeleteWork, WorksNotInTheNetworkAreLeftAlone)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    b.net->Recalculate();
    auto before = b.net->Clone();
    TNetBuilder other;
    Tedge* foreign = other.Work('X', 'Y', 1);
    Tedge loose;
    EXPECT_EQ(DeleteWork(*b.net, nullptr), 0);
    EXPECT_EQ(DeleteWork(*b.net, foreign), 0);
    EXPECT_EQ(DeleteWork(*b.net, &loose), 0);
    EXPECT_TRUE(b.net->IsSameAs(*before));
    EXPECT_EQ(other.net->WorkCount(), 1);
    // a repeated entry is deleted once
    EXPECT_EQ(DeleteWorks(*b.net, {b.W("AB"), b.W("AB")}), 1);
    EXPECT_EQ(b.net->WorkCount(), 1);
}

// Deleting a set of works at once (with its live index of entering works)
// equals deleting them one by one (each on the rebuilt lookup index).
TEST(DeleteWorks, EqualsOneDeletionAfterAnother)
{
    for (uint32_t seed = 1; seed <= 16; ++seed) {
        // the last seeds delete every second work: many merges in a row
        const uint32_t share = seed <= 12 ? 4 : 2;
        SCOPED_TRACE(seed);
        TFakeMessages messages;
        TPlanShape shape;
        shape.works = 60;
        shape.seed = seed;
        shape.milestoneShare = 0.05;
        auto one = GeneratePlan(shape);
        LayoutNetwork(*one);
        auto all = one->Clone();
        // spread some works over rows of their own so that rows empty
        std::mt19937 rng(seed);
        std::vector<Tedge*> w1, w2;
        for (const auto& v : one->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w1.push_back(w);
        for (const auto& v : all->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w2.push_back(w);
        ASSERT_EQ(w1.size(), w2.size());
        for (size_t i = 0; i < w1.size(); ++i)
            if (rng() % 5 == 0) w1[i]->row = w2[i]->row = 40 + int32_t(i);
        std::vector<Tedge*> pick1, pick2;
        for (size_t i = 0; i < w1.size(); ++i)
            if (rng() % share == 0) {
                pick1.push_back(w1[i]);
                pick2.push_back(w2[i]);
            }
        std::shuffle(pick1.begin(), pick1.end(), std::mt19937(seed));
        std::shuffle(pick2.begin(), pick2.end(), std::mt19937(seed));
        for (Tedge* w : pick1) ASSERT_EQ(DeleteWork(*one, w), 1);
        ASSERT_EQ(DeleteWorks(*all, pick2), 1);
        // cached line end points follow at the next layout
        one->Recalculate();
        all->Recalculate();
        LayoutNetwork(*one);
        LayoutNetwork(*all);
        EXPECT_TRUE(one->IsSameAs(*all));
        EXPECT_EQ(LinkProblems(*all), "");
    }
}

TEST(DeletePredecessorLinks, GivesTheWorkAStartNodeOfItsOwn)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    b.Work('B', 'D', 4)->row = 1;
    b.N('D')->row = 1;
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    Tedge* bd = b.W("BD");
    ASSERT_EQ(DeletePredecessorLinks(*b.net, bd), 1);
    EXPECT_NE(bd->fromNode, b.N('B'));
    EXPECT_EQ(bd->fromNode->inCount, 0);
    EXPECT_EQ(bd->fromNode->row, 1);
    EXPECT_EQ(b.N('B')->outCount, 1);
    EXPECT_EQ(LinkProblems(*b.net), "");
    EXPECT_EQ(StartNodes(*b.net).size(), 2u);
}

TEST(DeletePredecessorLinks, SplitsTheRowWhenTheOldNodeWouldCoverTheNewOne)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 2);
    b.Work('C', 'D', 1);
    b.Work('X', 'C', 1)->row = 1;
    b.N('X')->row = 1;
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    Tedge* bc = b.W("BC");
    ASSERT_EQ(b.N('B')->row, 0);
    ASSERT_FLOAT_EQ(bc->data->start, b.N('B')->time);
    ASSERT_EQ(DeletePredecessorLinks(*b.net, bc), 1);
    EXPECT_EQ(bc->row, 0);
    EXPECT_EQ(bc->fromNode->row, 0);
    EXPECT_EQ(b.N('B')->row, 1);        // the old node moved down
    EXPECT_EQ(b.W("AB")->row, 1);
    EXPECT_EQ(b.W("XC")->row, 2);       // everything below with it
}

TEST(DeleteSuccessorLinks, GivesTheWorkAnEndNodeOfItsOwn)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('A', 'C', 5)->row = 1;
    b.Work('B', 'C', 4);
    b.Work('C', 'D', 1);
    b.N('C')->row = 0;
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    Tedge* bc = b.W("BC");
    Tvertex* C = b.N('C');
    const float cTime = C->time;
    ASSERT_EQ(DeleteSuccessorLinks(*b.net, bc), 1);
    EXPECT_NE(bc->toNode, C);
    EXPECT_EQ(bc->toNode->outCount, 0);
    EXPECT_FLOAT_EQ(bc->toNode->time, bc->data->start + bc->data->duration);
    EXPECT_EQ(C->inCount, 1);
    // C stood on the work's row: it and what follows it moved down
    EXPECT_EQ(C->row, 1);
    EXPECT_EQ(b.W("CD")->row, 1);
    EXPECT_EQ(b.N('D')->row, 1);
    EXPECT_EQ(bc->row, 0);
    // The project now ends with B->X at day 7, so C comes back from day 7
    // to its latest time 6 and D to 7; A->C shows one day of free float.
    EXPECT_FLOAT_EQ(cTime, 7);
    EXPECT_FLOAT_EQ(C->time, 6);
    EXPECT_FLOAT_EQ(b.N('D')->time, 7);
    EXPECT_FLOAT_EQ(bc->toNode->time, 7);
    EXPECT_LE(b.W("AC")->data->start, b.W("AC")->data->ls);
    EXPECT_EQ(LinkProblems(*b.net), "");
}

TEST(CutLinks, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        std::function<int32_t(Tpertgra&, TNetBuilder&)> run;
    };
    const Case cases[] = {
        {"predecessors of the only work of its start node",
         [](Tpertgra& n, TNetBuilder& b) { return DeletePredecessorLinks(n, b.W("AB")); }},
        {"successors of the only entering work of an end node",
         [](Tpertgra& n, TNetBuilder& b) { return DeleteSuccessorLinks(n, b.W("CD")); }},
        {"predecessors of a milestone",
         [](Tpertgra& n, TNetBuilder& b) { return DeletePredecessorLinks(n, b.W("CM")); }},
        {"successors of a milestone",
         [](Tpertgra& n, TNetBuilder& b) { return DeleteSuccessorLinks(n, b.W("CM")); }},
        {"a null work", [](Tpertgra& n, TNetBuilder&) { return DeletePredecessorLinks(n, nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        b.Work('A', 'B', 3);
        b.Work('B', 'C', 2);
        b.Work('C', 'D', 1);
        b.Work('C', 'M', 0, WorkKind::Milestone);
        b.Place();
        b.net->Recalculate();
        LayoutNetwork(*b.net);
        auto before = b.net->Clone();
        EXPECT_EQ(c.run(*b.net, b), 0);
        EXPECT_TRUE(b.net->IsSameAs(*before));
    }
}

}
