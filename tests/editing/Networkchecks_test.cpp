// The structural checks: start and end nodes and their merging, overlapping
// work lines and their repair, redundant dummy links; the fast forms against
// the plain scans.
#include "editing/Networkchecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "drawing/Displace.h"
#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

std::vector<Tvertex*> Nodes(TNetBuilder& b, const char* names)
{
    std::vector<Tvertex*> v;
    for (const char* p = names; *p; ++p) v.push_back(b.N(*p));
    return v;
}

TEST(StartNodes, AMilestoneStandsForTheStartItHides)
{
    TNetBuilder b;
    b.Work('H', 'A', 0, WorkKind::Milestone);
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 1);
    b.Work('B', 'D', 1);
    b.Work('C', 'D', 1);
    EXPECT_EQ(StartNodes(*b.net), Nodes(b, "A"));
    EXPECT_EQ(EndNodes(*b.net), Nodes(b, "D"));

    TNetBuilder e;
    e.Work('A', 'B', 2);
    e.Work('B', 'C', 1);
    e.Work('C', 'M', 0, WorkKind::Milestone);
    e.Work('X', 'B', 1);
    EXPECT_EQ(EndNodes(*e.net), Nodes(e, "C"));
    EXPECT_EQ(StartNodes(*e.net), Nodes(e, "AX"));

    Tpertgra empty;
    EXPECT_TRUE(StartNodes(empty).empty());
    EXPECT_TRUE(EndNodes(empty).empty());
    EXPECT_EQ(MergeStartNodes(empty), 0);
}

TEST(MergeStartNodes, OnEqualXTheFirstStoredIsTheTarget)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'C', 2);
    b.Work('B', 'C', 3);
    b.Work('C', 'D', 1);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    // (the layout draws nodes of one day apart; the test puts them together)
    b.N('A')->x = b.N('B')->x = 100;
    Tvertex* A = b.N('A');
    ASSERT_EQ(MergeStartNodes(*b.net), 1);
    EXPECT_EQ(StartNodes(*b.net), std::vector<Tvertex*>{A});
    EXPECT_EQ(b.W("BC")->fromNode, A);
    EXPECT_EQ(b.net->NodeCount(), 3);
    EXPECT_EQ(MergeStartNodes(*b.net), 0);   // a single start is left alone
}

TEST(MergeEndNodes, IntoTheFirstOfTheRightmost)
{
    TNetBuilder b;
    b.Work('S', 'E', 1);
    b.Work('S', 'F', 2);
    b.Work('S', 'G', 3);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    b.N('E')->x = 300;
    b.N('F')->x = 500;
    b.N('G')->x = 500;
    Tvertex* F = b.N('F');
    ASSERT_EQ(MergeEndNodes(*b.net), 1);
    EXPECT_EQ(EndNodes(*b.net), std::vector<Tvertex*>{F});
    EXPECT_EQ(F->inCount, 3);
    EXPECT_EQ(b.net->NodeCount(), 2);
    EXPECT_FLOAT_EQ(F->time, 3);
}

TEST(MergeStartNodes, ARefusedMergeLeavesThatNode)
{
    TNetBuilder b;
    b.Work('A', 'D', 2);
    b.Work('B', 'D', 3);
    b.Work('C', 'D', 1);
    b.Place();
    b.net->Recalculate();
    LayoutNetwork(*b.net);
    b.N('A')->x = 100;
    b.N('B')->x = 200;
    b.N('C')->x = 300;
    b.N('B')->joint = true;   // a joint is never merged away
    ASSERT_EQ(MergeStartNodes(*b.net), 1);
    EXPECT_EQ(StartNodes(*b.net), Nodes(b, "AB"));
}

// Two works on one row from day a to day b and from day c to day d.
std::unique_ptr<TNetBuilder> TwoLines(float a, float b, float c, float d)
{
    auto n = std::make_unique<TNetBuilder>();
    n->Work('A', 'B', b - a);
    n->Work('C', 'D', d - c);
    n->N('A')->time = a;
    n->N('B')->time = b;
    n->N('C')->time = c;
    n->N('D')->time = d;
    return n;
}

TEST(FindOverlappingWork, LinesThatOnlyTouchDoNotOverlap)
{
    struct Case {
        const char* what;
        float a, b, c, d;
        bool overlap;
    };
    const Case cases[] = {
        {"one ends where the other begins", 0, 3, 3, 5, false},
        {"moved a day back, they share a day", 0, 3, 2, 5, true},
        {"one inside the other", 0, 10, 2, 5, true},
        {"far apart", 0, 2, 5, 8, false},
        {"the same span", 1, 4, 1, 4, true},
        {"a zero-length line inside another", 0, 4, 2, 2, true},
        {"a zero-length line at another's end", 0, 4, 4, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto n = TwoLines(c.a, c.b, c.c, c.d);
        Tedge* first = n->W("AB");
        EXPECT_EQ(FindOverlappingWork(*n->net), c.overlap ? first : nullptr);
        EXPECT_EQ(FindOverlappingWorkLiteral(*n->net), c.overlap ? first : nullptr);
        n->W("CD")->row = 1;
        EXPECT_EQ(FindOverlappingWork(*n->net), nullptr);   // other rows never overlap
    }
    Tpertgra empty;
    EXPECT_EQ(FindOverlappingWork(empty), nullptr);
}

TEST(FindOverlappingWork, NodeDisplacementsCount)
{
    // B at day 3 and C at day 3 touch; a displacement at B pushes it right.
    auto n = TwoLines(0, 3, 3, 5);
    n->N('B')->xOffset = 5;
    EXPECT_EQ(FindOverlappingWork(*n->net), n->W("AB"));
    // An entry of the displacement table at day 3 moves both alike.
    n->N('B')->xOffset = 0;
    n->net->displacements.push_back(std::make_unique<Tdisplace>(3.0f, 20, 20));
    EXPECT_EQ(FindOverlappingWork(*n->net), nullptr);
}

// Random plans with works crowded on few rows: the fast form gives the first
// overlapping work of the plain scan, or none where none overlaps.
TEST(FindOverlappingWork, SameAnswerAsThePlainScan)
{
    int found = 0, none = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        TPlanShape shape;
        shape.works = 40 + int32_t(seed % 7) * 30;
        shape.seed = seed;
        shape.fractional = seed % 2 == 0;
        auto net = GeneratePlan(shape);
        std::mt19937 rng(seed);
        const int32_t rows = int32_t(seed % 4 == 0 ? 100000 : 2 + seed % 40);
        int32_t next = 0;
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                w->row = seed % 4 == 0 ? next++ : int32_t(rng() % uint32_t(rows));
        if (seed % 3 != 0) LayoutNetwork(*net);
        Tedge* literal = FindOverlappingWorkLiteral(*net);
        EXPECT_EQ(FindOverlappingWork(*net), literal);
        (literal ? found : none)++;
        // the whole list: exactly the works the plain test finds, in scan order
        std::vector<Tedge*> plain;
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (OverlapsOnItsRow(*net, w)) plain.push_back(w);
        EXPECT_EQ(OverlappingWorks(*net), plain);
    }
    EXPECT_GT(found, 10);
    EXPECT_GT(none, 5);
}

TEST(RepairOverlap, MovesTheWorkClearOfTheLineItOverlapped)
{
    struct Case {
        const char* what;
        int32_t row;           // of both lines
        bool rowAboveTaken;
        int32_t workRow, otherRow;
    };
    const Case cases[] = {
        {"a free row above takes it", 2, false, 1, 2},
        {"the row above is taken: a blank row opens", 2, true, 2, 3},
        {"on the top row: a blank row opens", 0, false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto n = TwoLines(0, 4, 2, 6);
        Tedge* w = n->W("AB");
        Tedge* o = n->W("CD");
        w->row = o->row = c.row;
        if (c.rowAboveTaken) {
            n->Work('X', 'Y', 8)->row = c.row - 1;
            n->N('Y')->time = 8;
        }
        ASSERT_EQ(FindOverlappingWork(*n->net), w);
        EXPECT_EQ(RepairOverlap(*n->net, w), 1);
        EXPECT_EQ(w->row, c.workRow);
        EXPECT_EQ(o->row, c.otherRow);
        EXPECT_FALSE(OverlapsOnItsRow(*n->net, w));
    }
}

// Repairing what the check finds, over and over, ends with no overlap.
TEST(RepairOverlap, RepeatedRepairsLeaveNoOverlap)
{
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        TFakeMessages messages;
        TPlanShape shape;
        shape.works = 60;
        shape.seed = seed;
        auto net = GeneratePlan(shape);
        std::mt19937 rng(seed);
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w->row = int32_t(rng() % 4);
        LayoutNetwork(*net);
        int repairs = 0;
        while (Tedge* w = FindOverlappingWork(*net)) {
            ASSERT_EQ(RepairOverlap(*net, w), 1);
            net->Recalculate();
            LayoutNetwork(*net);
            ASSERT_LT(++repairs, 2 * net->WorkCount());
        }
        EXPECT_GT(repairs, 0);
    }
}

TEST(RedundantLinks, Cases)
{
    TNetBuilder b;
    // a dummy that is its start node's only work, with no other path
    b.Work('P', 'Q', 0, WorkKind::Dummy);
    b.Work('Q', 'R', 2);
    b.Work('S', 'R', 2);
    // A->B dummy implied by A->C->D->B
    b.Work('A', 'B', 0, WorkKind::Dummy);
    b.Work('A', 'C', 2);
    b.Work('C', 'D', 1);
    b.Work('D', 'B', 1);
    // E->F dummy with only the path F->G->...: kept
    b.Work('E', 'F', 0, WorkKind::Dummy);
    b.Work('E', 'G', 2);
    b.Work('F', 'G', 1);
    b.Work('T', 'F', 1);
    // an auxiliary work is no dummy
    b.Work('E', 'H', 0, WorkKind::Auxiliary);
    b.Work('G', 'H', 1);
    b.Work('U', 'H', 1);
    const std::vector<Tedge*> want{b.W("PQ"), b.W("AB")};
    EXPECT_EQ(RedundantLinks(*b.net), want);
    EXPECT_EQ(RedundantLinksLiteral(*b.net), want);
    EXPECT_FALSE(IsRedundantLink(*b.net, b.W("EF")));

    // a real work parallel to a dummy, and a dummy that is the only work
    // into its end node
    TNetBuilder p;
    Tedge* d = p.Work('A', 'B', 0, WorkKind::Dummy);
    auto* real = new Tedge;
    real->data->duration = 2;
    p.net->LinkWork(p.N('A'), p.N('B'), real);
    p.Work('B', 'C', 1);
    p.Work('A', 'C', 1);
    Tedge* into = p.Work('A', 'E', 0, WorkKind::Dummy);
    p.Work('E', 'C', 1);
    EXPECT_EQ(RedundantLinks(*p.net), (std::vector<Tedge*>{into, d}));

    Tpertgra empty;
    EXPECT_TRUE(RedundantLinks(empty).empty());
}

// A loop-free network of n nodes in a shuffled storage order, with links
// from lower to higher ranks, many of them dummies, some parallel.
std::unique_ptr<Tpertgra> RandomDag(uint32_t seed, int n, int links)
{
    std::mt19937 rng(seed);
    auto net = std::make_unique<Tpertgra>();
    std::vector<Tvertex*> byRank;
    for (int i = 0; i < n; ++i) byRank.push_back(new Tvertex);
    std::vector<Tvertex*> stored = byRank;
    std::shuffle(stored.begin(), stored.end(), rng);
    for (Tvertex* v : stored) net->AddNode(v);
    for (int k = 0; k < links; ++k) {
        int i = int(rng() % uint32_t(n));
        int j = int(rng() % uint32_t(n));
        if (i == j) continue;
        if (i > j) std::swap(i, j);
        if (rng() % 3 == 0) j = std::min(n - 1, i + 1);   // short links, often parallel
        if (i == j) continue;
        auto* w = new Tedge;
        w->data->kind = rng() % 2 ? WorkKind::Dummy : WorkKind::Real;
        net->LinkWork(byRank[size_t(i)], byRank[size_t(j)], w);
    }
    return net;
}

TEST(RedundantLinks, SameListAsOneSearchPerDummy)
{
    size_t byPath = 0, kept = 0;
    for (uint32_t seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE(seed);
        auto net = seed % 2 ? RandomDag(seed, 5 + int(seed % 30), 10 + int(seed % 90))
                            : [&] {
                                  TPlanShape shape;
                                  shape.works = 50 + int32_t(seed) * 10;
                                  shape.seed = seed;
                                  shape.dummyShare = 0.3;
                                  return GeneratePlan(shape);
                              }();
        const std::vector<Tedge*> list = RedundantLinks(*net);
        EXPECT_EQ(list, RedundantLinksLiteral(*net));
        for (const auto& v : net->nodes)
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (!w->data->IsDummy() || v->outCount == 1 || w->toNode->inCount == 1) continue;
                (std::find(list.begin(), list.end(), w) != list.end() ? byPath : kept)++;
            }
    }
    // both answers of the path step occur
    EXPECT_GT(byPath, 20u);
    EXPECT_GT(kept, 20u);
}

TEST(RedundantLinks, MoreTargetsThanOneBlockOfBits)
{
    // 4500 small units F->T dummy, F->M; every second one closes M->T, the
    // others get T's second entering work from a start node of their own.
    Tpertgra net;
    auto node = [&] {
        auto* v = new Tvertex;
        net.AddNode(v);
        return v;
    };
    auto link = [&](Tvertex* a, Tvertex* b, const char* kind) {
        auto* w = new Tedge;
        w->data->kind = kind;
        net.LinkWork(a, b, w);
        return w;
    };
    std::vector<Tedge*> want;
    for (int i = 0; i < 4500; ++i) {
        Tvertex* f = node();
        Tvertex* m = node();
        Tvertex* t = node();
        Tedge* d = link(f, t, WorkKind::Dummy);
        link(f, m, WorkKind::Real);
        if (i % 2 == 0) {
            link(m, t, WorkKind::Real);
            want.push_back(d);
        } else {
            link(node(), t, WorkKind::Real);
        }
    }
    EXPECT_EQ(RedundantLinks(net), want);
    EXPECT_EQ(RedundantLinksLiteral(net), want);
}

TEST(RedundantLinks, ALoopFallsBackToThePlainSearch)
{
    TFakeMessages messages;
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Work('C', 'A', 1);
    b.Work('A', 'C', 0, WorkKind::Dummy);
    b.Work('X', 'C', 1);
    EXPECT_EQ(RedundantLinks(*b.net), RedundantLinksLiteral(*b.net));
    EXPECT_EQ(RedundantLinks(*b.net), std::vector<Tedge*>{b.W("AC")});
}

}
