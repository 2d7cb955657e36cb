// The network container: storage orders, lookup, copies and equality.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Numbertext.h"
#include "platform/Clock.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

TEST(Renumber, LastStartNodeInStorageIsTakenFirst)
{
    TNetBuilder b;
    b.Work('A', 'C', 1);
    b.Work('B', 'D', 1);
    ASSERT_TRUE(b.net->Renumber());
    std::vector<Tvertex*> expected{b.N('B'), b.N('D'), b.N('A'), b.N('C')};
    EXPECT_EQ(b.net->order, expected);
}

TEST(TimeOrder, EqualTimesKeepTopologicalOrderAndIdsAreDense)
{
    TNetBuilder b;
    b.Work('A', 'C', 0, WorkKind::Dummy);
    b.Work('B', 'C', 2);
    b.Work('C', 'D', 1);
    b.N('B')->time = 0;
    b.Place();
    ASSERT_TRUE(b.net->Renumber());
    // loop-check order is B, A, C, D; A and B tie at day 0, and so do nothing else
    std::vector<Tvertex*> list = b.net->TimeOrder();
    std::vector<Tvertex*> expected{b.N('B'), b.N('A'), b.N('C'), b.N('D')};
    EXPECT_EQ(list, expected);
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i]->id, int32_t(i + 1));
}

TEST(TimeOrder, TimesWithinToleranceCountAsEqual)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('C', 'D', 1);
    b.N('A')->time = 1e-9f;
    b.N('C')->time = 2e-9f;
    b.N('B')->time = b.N('D')->time = 1;
    ASSERT_TRUE(b.net->Renumber());   // order C, D, A, B
    std::vector<Tvertex*> list = b.net->TimeOrder();
    // C at 2e-9 and A at 1e-9 count as equal and keep their order
    std::vector<Tvertex*> expected{b.N('C'), b.N('A'), b.N('D'), b.N('B')};
    EXPECT_EQ(list, expected);
}

TEST(FindNodeAt, LaterNodeWinsAndTheLimitIsSevenUnits)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.N('A')->x = 100; b.N('A')->y = 50;
    b.N('B')->x = 104; b.N('B')->y = 53;
    b.N('C')->x = 300; b.N('C')->y = 50;
    EXPECT_EQ(b.net->FindNodeAt(102, 51), b.N('B'));
    EXPECT_EQ(b.net->FindNodeAt(300 + 7, 50 - 7), b.N('C'));
    EXPECT_EQ(b.net->FindNodeAt(300 + 8, 50), nullptr);
    Tpertgra empty;
    EXPECT_EQ(empty.FindNodeAt(0, 0), nullptr);
}

TEST(FindNodeAt, SkipsMilestoneEnds)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 0, WorkKind::Milestone);
    b.N('C')->x = 10;
    EXPECT_TRUE(b.net->IsMilestoneEnd(b.N('C')));
    EXPECT_FALSE(b.net->IsMilestoneEnd(b.N('B')));
    EXPECT_EQ(b.net->FindNodeAt(10, 0), nullptr);
}

TEST(LatestWorkInto, LargestFinishAndLastOfEqualFinishes)
{
    TNetBuilder b;
    b.Work('A', 'D', 4);
    b.Work('B', 'D', 2);
    b.Work('C', 'D', 4);
    EXPECT_EQ(b.net->LatestWorkInto(b.N('D')), b.W("CD"));
    b.W("BD")->data->start = 3;
    EXPECT_EQ(b.net->LatestWorkInto(b.N('D')), b.W("BD"));
    EXPECT_EQ(b.net->LatestWorkInto(b.N('A')), nullptr);
}

TEST(LinkWork, NumbersAfterTheLargestAndRaisesTheStart)
{
    TNetBuilder b;
    Tedge* first = b.Work('A', 'B', 1);
    EXPECT_EQ(first->data->workNo, 1);
    first->data->workNo = 41;
    b.net->InvalidateWorkNumbers();
    b.N('B')->time = 5;
    Tedge* second = b.Work('B', 'C', 1);
    EXPECT_EQ(second->data->workNo, 42);
    EXPECT_FLOAT_EQ(second->data->start, 5);
    EXPECT_EQ(b.N('B')->firstWork, second);
    EXPECT_EQ(b.N('B')->outCount, 1);
    EXPECT_EQ(b.N('C')->inCount, 1);
    Tedge* third = b.Work('B', 'D', 1);
    EXPECT_EQ(b.N('B')->firstWork, third);   // new works go to the head of the list
    EXPECT_EQ(third->nextWork, second);
}

TEST(AllWorks, OrdersByStartWithCriticalWorksFirst)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 5);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    std::vector<Tedge*> works = b.net->AllWorks();
    std::vector<Tedge*> expected{b.W("AC"), b.W("AB"), b.W("BC")};
    EXPECT_EQ(works, expected);
    EXPECT_EQ(b.net->AllWorksLiteral(), expected);
}

// Differential: the grouped form against the literal insertion passes.
TEST(AllWorks, MatchesTheLiteralPassesOnManyNetworks)
{
    TFakeMessages quiet;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        TPlanShape shape;
        shape.works = 20 + int32_t(seed * 7 % 300);
        shape.seed = seed;
        shape.startNodes = 1 + int32_t(seed % 6);
        shape.fractional = seed % 3 == 0;
        shape.parts = 1 + int32_t(seed % 3);
        auto net = GeneratePlan(shape);
        // many equal starts and many critical works: flatten the durations
        if (seed % 4 == 0)
            for (const auto& v : net->nodes)
                for (Tedge* w = v->firstWork; w; w = w->nextWork) w->data->start = float(seed % 3);
        if (seed % 5 == 0)
            for (const auto& v : net->nodes)
                for (Tedge* w = v->firstWork; w; w = w->nextWork) w->data->critical = (w->data->workNo % 2) != 0;
        // starts closer than the tolerance, chained beyond it: the literal passes decide
        if (seed % 7 == 0) {
            int i = 0;
            for (const auto& v : net->nodes)
                for (Tedge* w = v->firstWork; w; w = w->nextWork) w->data->start = float(i++ % 4) * 6e-9f;
        }
        ASSERT_EQ(net->AllWorks(), net->AllWorksLiteral()) << "seed " << seed;
    }
}

TEST(ComputeTimes, MatchesThePerStartSearchOnManyNetworks)
{
    TFakeMessages quiet;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        TPlanShape shape;
        shape.works = 30 + int32_t(seed * 11 % 200);
        shape.seed = seed;
        shape.startNodes = 1 + int32_t(seed % 8);
        shape.parts = 1 + int32_t(seed % 4);
        auto a = GeneratePlan(shape);
        auto b = a->Clone();
        a->ComputeTimes();
        b->ComputeTimesLiteral();
        for (size_t i = 0; i < a->nodes.size(); ++i) {
            const Tvertex& x = *a->nodes[i];
            const Tvertex& y = *b->nodes[i];
            ASSERT_EQ(x.number, y.number) << "seed " << seed << " node " << i;
            ASSERT_EQ(x.id, y.id);
            ASSERT_EQ(x.earliest, y.earliest);
            ASSERT_EQ(x.latest, y.latest);
            ASSERT_EQ(x.critical, y.critical);
            for (const Tedge *p = x.firstWork, *q = y.firstWork; p && q; p = p->nextWork, q = q->nextWork) {
                ASSERT_EQ(p->data->es, q->data->es);
                ASSERT_EQ(p->data->ls, q->data->ls);
                ASSERT_EQ(p->data->start, q->data->start);
                ASSERT_EQ(p->data->critical, q->data->critical);
            }
        }
    }
}

TEST(Clone, IsSameAsTheOriginalAndOwnsItsSegments)
{
    TFakeMessages quiet;
    TNetBuilder b;
    Tedge* s1 = b.Work('A', 'B', 2);
    Tedge* s2 = b.Work('B', 'C', 3);
    b.Work('C', 'D', 1);
    s1->nextSegment = s2;
    s2->isContinuation = true;
    b.N('B')->joint = true;
    b.Place();
    b.net->Recalculate();
    auto clone = b.net->Clone();
    EXPECT_TRUE(b.net->IsSameAs(*clone));
    EXPECT_TRUE(clone->IsSameAs(*b.net));
    Tedge* c1 = clone->nodes[0]->firstWork;
    ASSERT_NE(c1->nextSegment, nullptr);
    EXPECT_EQ(c1->nextSegment, clone->nodes[1]->firstWork);
    EXPECT_EQ(c1->nextSegment->fromNode, clone->nodes[1].get());
    EXPECT_EQ(c1->toNode, clone->nodes[1].get());
    EXPECT_FLOAT_EQ(c1->TotalDuration(), 5);
}

TEST(IsSameAs, StartToleranceAndExactDurations)
{
    TFakeMessages quiet;
    TPlanShape shape;
    shape.works = 40;
    auto net = GeneratePlan(shape);
    auto clone = net->Clone();
    Tedge* w = clone->nodes[0]->firstWork;
    w->data->start += 1e-9f;   // below float resolution at these values, and within 1e-8
    EXPECT_TRUE(net->IsSameAs(*clone));
    w->data->duration = std::nextafter(w->data->duration, 1e9f);
    EXPECT_FALSE(net->IsSameAs(*clone));
}

TEST(IsSameAs, SettingsAndIgnoredMembers)
{
    Tpertgra a, b;
    EXPECT_TRUE(a.IsSameAs(b));
    b.modified = true;
    b.hasFile = true;
    b.showStart = 7;
    b.reservedColorA = 3;
    EXPECT_TRUE(a.IsSameAs(b));
    b.title = "另一个工程";
    EXPECT_FALSE(a.IsSameAs(b));
    b.title = a.title;
    b.colorPairs[5] = 1;
    EXPECT_FALSE(a.IsSameAs(b));
    b.colorPairs[5] = a.colorPairs[5];
    b.customResourceDays.push_back(nullptr);
    EXPECT_FALSE(a.IsSameAs(b));
}

TEST(Clone, NetworkWithALoopAttachesWorksToTheRightNodes)
{
    TFakeMessages quiet;
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.Work('C', 'B', 1);   // loop: no ids are assigned
    auto clone = b.net->Clone();
    EXPECT_EQ(quiet.Texts(), std::vector<std::string>{"网络图不能有回路"});
    for (size_t i = 0; i < b.net->nodes.size(); ++i)
        for (const Tedge *p = b.net->nodes[i]->firstWork, *q = clone->nodes[i]->firstWork; p && q;
             p = p->nextWork, q = q->nextWork)
            EXPECT_EQ(clone->IndexOfNode(q->toNode), b.net->IndexOfNode(p->toNode));
}

TEST(Clone, CustomResourceChainsAreCopiedWithTheirDrawModes)
{
    Tpertgra net;
    auto head = std::make_unique<Trecsource>();
    head->number = "Z1";
    head->drawMode = 2;
    head->next = std::make_unique<Trecsource>();
    head->next->number = "Z2";
    net.customResourceDays.push_back(nullptr);
    net.customResourceDays.push_back(std::move(head));
    auto clone = net.Clone();
    ASSERT_EQ(clone->customResourceDays.size(), 2u);
    EXPECT_EQ(clone->customResourceDays[0], nullptr);
    ASSERT_NE(clone->customResourceDays[1]->next, nullptr);
    EXPECT_EQ(clone->customResourceDays[1]->next->number, "Z2");
    // The history's copies draw the diagrams as the planner set them.
    EXPECT_EQ(clone->customResourceDays[1]->drawMode, 2);
    EXPECT_NE(clone->customResourceDays[1].get(), net.customResourceDays[1].get());
    EXPECT_TRUE(net.IsSameAs(*clone));
}

TEST(Clone, WorkResourceLinesKeepTheirDrawModes)
{
    TNetBuilder b;
    Tedge* w = b.Work('a', 'b', 3);
    Trecsource r;
    r.number = "R1";
    w->data->resources = {r, r};
    w->data->resources[1].number = "R2";
    w->data->resources[0].drawMode = 1;
    w->data->resources[1].drawMode = 2;
    auto clone = b.net->Clone();
    const auto& lines = clone->nodes[0]->firstWork->data->resources;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].drawMode, 1);
    EXPECT_EQ(lines[1].drawMode, 2);
}

TEST(BuildFromWorks, SingleSegmentBecomesAPlainWork)
{
    TFakeMessages quiet;
    TNetBuilder b;
    Tedge* s1 = b.Work('A', 'B', 2);
    Tedge* s2 = b.Work('B', 'C', 3);
    Tedge* s3 = b.Work('C', 'D', 4);
    s1->nextSegment = s2;
    s2->isContinuation = true;
    s2->nextSegment = s3;
    s3->isContinuation = true;
    b.N('B')->joint = b.N('C')->joint = true;
    b.Place();
    b.net->Recalculate();
    auto part = b.net->BuildFromWorks({s2});
    ASSERT_EQ(part->nodes.size(), 2u);
    Tedge* w = part->nodes[0]->firstWork;
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isContinuation);
    EXPECT_EQ(w->nextSegment, nullptr);
    EXPECT_FALSE(part->nodes[0]->joint);
    EXPECT_FALSE(part->nodes[1]->joint);
    EXPECT_EQ(w->toNode, part->nodes[1].get());
    EXPECT_EQ(part->nodes[0]->outCount, 1);
    EXPECT_EQ(part->nodes[1]->inCount, 1);

    auto two = b.net->BuildFromWorks({s3, s2});
    ASSERT_EQ(two->nodes.size(), 3u);
    Tedge* first = nullptr;
    for (const auto& v : two->nodes)
        for (Tedge* x = v->firstWork; x; x = x->nextWork)
            if (!x->isContinuation) first = x;
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->nextSegment, nullptr);
    EXPECT_EQ(first->nextSegment->fromNode, first->toNode);
}

TEST(BuildFromWorks, SharedFromNodeKeepsTheSourceListOrder)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('A', 'C', 2);
    b.Work('A', 'D', 3);   // A's list: AD, AC, AB
    auto part = b.net->BuildFromWorks({b.W("AB"), b.W("AD")});
    Tvertex* a = part->nodes[0].get();
    ASSERT_EQ(a->outCount, 2);
    EXPECT_EQ(a->firstWork->data->name, "AD");
    EXPECT_EQ(a->firstWork->nextWork->data->name, "AB");
}

TEST(BuildFromWorks, AChainCopiedFromItsFirstWorkKeepsEveryWork)
{
    // B is met first as the end of AB, then as the start of BC.
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 2);
    b.Work('C', 'D', 3);
    auto part = b.net->BuildFromWorks({b.W("AB"), b.W("BC"), b.W("CD")});
    EXPECT_EQ(part->WorkCount(), 3);
    EXPECT_EQ(part->NodeCount(), 4);
    for (const auto& v : part->nodes) EXPECT_LE(v->inCount + v->outCount, 2);
}

TEST(RemoveNode, DropsTheNodeFromStorageAndOrder)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    auto* lone = new Tvertex;
    b.net->AddNode(lone);
    ASSERT_TRUE(b.net->Renumber());
    b.net->RemoveNode(lone);
    EXPECT_EQ(b.net->nodes.size(), 2u);
    EXPECT_EQ(std::count(b.net->order.begin(), b.net->order.end(), lone), 0);
}

TEST(Create, StartsTodayAtMidnight)
{
    TFixedClock clock({2026, 12, 10, 15, 30, 5});
    SetClock(&clock);
    Tpertgra net;
    SetClock(nullptr);
    // 2026-12-10 00:00 local = 1970-01-01 08:00 + s
    EXPECT_EQ(net.projectStart, int32_t(20797LL * 86400 - 28800));
    EXPECT_EQ(net.progressDate, net.projectStart);
    EXPECT_EQ(net.showStart, net.projectStart);
    EXPECT_EQ(net.showEnd, net.projectStart);
}

TEST(NumberToText, Table)
{
    struct Row {
        double v;
        int n, d;
        const char* text;
    } rows[] = {
        {0, 8, 2, "0"},          {1e-9, 8, 2, "0"},   {3, 8, 2, "3"},
        {2.999999999, 8, 2, "3"}, {3.000000001, 8, 2, "3"}, {2.5, 8, 2, "2.50"},
        {-1.25, 8, 2, "-1.25"},  {-4, 8, 2, "-4"},     {0.00004, 4, 2, "0"},
        {12.3456, 6, 2, "12.35"},
    };
    for (const Row& r : rows) EXPECT_EQ(NumberToText(r.v, r.n, r.d), r.text) << r.v;
}

TEST(IsNumericText, StrictParser)
{
    for (const char* yes : {"0", "12", "3.5", ".5", "5.", "007"}) EXPECT_TRUE(IsNumericText(yes)) << yes;
    for (const char* no : {"", ".", "1..2", "1.2.3", "-1", "1e3", "1,5", " 1", "a"})
        EXPECT_FALSE(IsNumericText(no)) << no;
    EXPECT_DOUBLE_EQ(*ParseNumericText("0.0"), 0.0);
}

}
