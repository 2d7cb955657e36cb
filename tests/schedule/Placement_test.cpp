// The placement rules: edge cases, and the explicit-stack forms against a
// plain recursive transcription of the rules on generated plans.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

// The rules as nested calls, for small and medium plans only.
struct Recursive {
    Tpertgra& net;

    void SetNodeTime(Tvertex* node, float t)
    {
        if (t < 0) t = 0;
        const float old = node->time;
        node->time = t;
        for (Tedge* w = node->firstWork; w; w = w->nextWork) {
            if (t >= old) {
                if (!(w->data->start > t)) PlaceWork(w, t, w->data->duration);
            } else {
                PlaceWork(w, w->data->start - (old - t), w->data->duration);
            }
        }
    }
    void PlaceWork(Tedge* w, float s, float d)
    {
        if (s < 0) s = 0;
        if (d < 0) d = 0;
        Tworkdata& x = *w->data;
        if (x.start > s) {
            x.start = std::max(s, w->fromNode->time);
            if (!x.IsAuxiliary()) Refresh(w);
        } else {
            if (s + x.duration > w->toNode->time && !x.IsAuxiliary()) SetNodeTime(w->toNode, s + x.duration);
            x.start = s;
        }
        if (d != x.duration) {
            x.duration = (x.IsDummy() || x.IsMilestone()) ? 0.0f : d;
            Refresh(w);
        }
    }
    void Refresh(Tedge* w) { SetNodeTime(w->toNode, net.EarliestNodeTime(w->toNode)); }
    bool MoveNode(Tvertex* node, float t)
    {
        if (t < 0) t = 0;
        if (std::fabs(double(t) - double(node->time)) < 1e-8) return false;
        const float old = node->time;
        node->time = t;
        const float delta = t - old;
        for (Tedge* w = node->firstWork; w; w = w->nextWork) {
            Tworkdata& x = *w->data;
            if (delta > 0) {
                if (x.start < t) x.start = t;
                if (t + x.duration > w->toNode->time) MoveNode(w->toNode, t + x.duration);
            } else {
                x.start = std::max(x.start + delta, t);
                MoveNode(w->toNode, x.critical ? w->toNode->earliest : net.EarliestNodeTime(w->toNode));
            }
        }
        return true;
    }
};

void ExpectSameTimes(const Tpertgra& a, const Tpertgra& b)
{
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (size_t i = 0; i < a.nodes.size(); ++i) {
        ASSERT_EQ(a.nodes[i]->time, b.nodes[i]->time) << "node " << i;
        const Tedge* x = a.nodes[i]->firstWork;
        const Tedge* y = b.nodes[i]->firstWork;
        for (; x && y; x = x->nextWork, y = y->nextWork) {
            ASSERT_EQ(x->data->start, y->data->start) << "node " << i;
            ASSERT_EQ(x->data->duration, y->data->duration) << "node " << i;
        }
    }
}

Tedge* NthWork(Tpertgra& net, size_t k)
{
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (k-- == 0) return w;
    return nullptr;
}

TEST(PlacementDifferential, ExplicitStacksMatchNestedCalls)
{
    TFakeMessages quiet;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        TPlanShape shape;
        shape.works = 60 + int32_t(seed % 7) * 20;
        shape.seed = seed;
        shape.fractional = seed % 2 == 0;
        auto a = GeneratePlan(shape);
        auto b = a->Clone();
        Recursive ref{*b};
        std::mt19937 rng(seed);
        const size_t works = size_t(a->WorkCount());
        for (int step = 0; step < 25; ++step) {
            const size_t n = rng() % a->nodes.size();
            const float t = float(rng() % 40) * 0.5f;
            const size_t k = rng() % works;
            switch (rng() % 4) {
            case 0:
                a->SetNodeTime(a->nodes[n].get(), t);
                ref.SetNodeTime(b->nodes[n].get(), t);
                break;
            case 1:
                a->MoveNode(a->nodes[n].get(), t);
                ref.MoveNode(b->nodes[n].get(), t);
                break;
            case 2: {
                const float d = float(rng() % 12);
                a->PlaceWork(NthWork(*a, k), t, d);
                ref.PlaceWork(NthWork(*b, k), t, d);
                break;
            }
            default:
                a->ComputeTimes();
                b->ComputeTimes();
                break;
            }
            ExpectSameTimes(*a, *b);
            if (HasFatalFailure()) return;
        }
    }
}

TEST(Placement, DeepChainDoesNotOverflowTheStack)
{
    // 100,000 works in one chain: nested calls this deep would overflow.
    Tpertgra net;
    auto* prev = new Tvertex;
    net.AddNode(prev);
    Tvertex* first = prev;
    for (int i = 0; i < 100000; ++i) {
        auto* v = new Tvertex;
        net.AddNode(v);
        auto* w = new Tedge;
        w->data->duration = 1;
        net.LinkWork(prev, v, w);
        w->data->start = prev->time;
        v->time = prev->time + 1;
        prev = v;
    }
    net.MoveNode(first, 2);
    EXPECT_FLOAT_EQ(prev->time, 100002);
    net.SetNodeTime(first, 0);
    EXPECT_FLOAT_EQ(prev->time, 100000);
    net.Recalculate();
    EXPECT_TRUE(first->firstWork->data->critical);
    EXPECT_EQ(prev->number, 100001);
}

TEST(ChangeDuration, FreeFloatNotUsedUpChangesOnlyTheDuration)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 5);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    ASSERT_TRUE(b.net->ChangeDuration(b.W("BC"), 2));
    b.net->Reschedule();
    EXPECT_FLOAT_EQ(b.W("BC")->data->duration, 2);
    EXPECT_FLOAT_EQ(b.N('C')->time, 5);
    EXPECT_FLOAT_EQ(b.N('B')->time, 2);
}

TEST(ChangeDuration, LengtheningACriticalWorkPushesEveryLaterNode)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Work('C', 'D', 2);
    b.Place();
    b.net->Recalculate();
    ASSERT_TRUE(b.net->ChangeDuration(b.W("AB"), 5));
    b.net->Reschedule();
    EXPECT_FLOAT_EQ(b.N('B')->time, 5);
    EXPECT_FLOAT_EQ(b.N('C')->time, 9);
    EXPECT_FLOAT_EQ(b.N('D')->time, 11);
    EXPECT_FLOAT_EQ(b.W("CD")->data->start, 9);
}

TEST(ChangeDuration, ShorteningACriticalWorkPullsItsEndNode)
{
    TNetBuilder b;
    b.Work('A', 'B', 3);
    b.Work('B', 'C', 4);
    b.Place();
    b.net->Recalculate();
    ASSERT_TRUE(b.net->ChangeDuration(b.W("AB"), 1));
    b.net->Reschedule();
    EXPECT_FLOAT_EQ(b.N('B')->time, 1);
    EXPECT_FLOAT_EQ(b.N('C')->time, 5);
}

TEST(ChangeDuration, AuxiliaryAndUnchangedDurationsAreRefused)
{
    TFakeMessages quiet;
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    Tedge* aux = b.Work('A', 'C', 0, WorkKind::Auxiliary);
    b.Place();
    b.net->Recalculate();
    EXPECT_FALSE(b.net->ChangeDuration(aux, 9));
    EXPECT_FLOAT_EQ(aux->data->duration, 5);
    EXPECT_FALSE(b.net->ChangeDuration(b.W("AB"), 2.0f + 1e-10f));
}

TEST(MoveWorkStart, ClampsIntoTheFloat)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 6);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    Tedge* bc = b.W("BC");   // es 2, ls 5
    EXPECT_TRUE(b.net->MoveWorkStart(bc, 9));
    EXPECT_FLOAT_EQ(bc->data->start, 5);
    EXPECT_FALSE(b.net->MoveWorkStart(bc, 5));
    EXPECT_TRUE(b.net->MoveWorkStart(bc, -3));
    EXPECT_FLOAT_EQ(bc->data->start, 2);
    EXPECT_FLOAT_EQ(b.N('C')->time, 6);
}

TEST(MoveStartNode, OnlyStartNodesMove)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    b.Place();
    b.net->Recalculate();
    EXPECT_FALSE(b.net->MoveStartNode(b.N('B'), 4));
    EXPECT_FALSE(b.net->MoveStartNode(b.N('A'), 0));
    EXPECT_TRUE(b.net->MoveStartNode(b.N('A'), 1));
    EXPECT_FLOAT_EQ(b.W("AB")->data->start, 1);
    EXPECT_FLOAT_EQ(b.N('B')->time, 3);
    EXPECT_FLOAT_EQ(b.N('C')->time, 6);
}

TEST(EarliestNodeTime, IgnoresAuxiliaryWorksAndStartNodesKeepTheirTime)
{
    TFakeMessages quiet;
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    Tedge* aux = b.Work('A', 'C', 0, WorkKind::Auxiliary);
    b.Place();
    aux->data->duration = 50;
    EXPECT_FLOAT_EQ(b.net->EarliestNodeTime(b.N('C')), 5);
    b.N('A')->time = 7;
    EXPECT_FLOAT_EQ(b.net->EarliestNodeTime(b.N('A')), 7);
}

TEST(ComputeAndPull, WorksBeyondTheirLatestStartArePlacedThere)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('A', 'C', 6);
    b.Work('B', 'C', 1);
    b.Place();
    b.net->Recalculate();
    // a late planned start pushed the end node; pulling brings both back
    b.W("BC")->data->start = 8;
    b.N('C')->time = 9;
    b.net->ComputeAndPull();
    EXPECT_LE(b.W("BC")->data->start, b.W("BC")->data->ls);
}

TEST(PlaceWork, DummyAndMilestoneKeepZeroDuration)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    Tedge* dummy = b.Work('B', 'C', 0, WorkKind::Dummy);
    b.Work('A', 'C', 4);
    b.Place();
    b.net->PlaceWork(dummy, 2, 3);
    EXPECT_FLOAT_EQ(dummy->data->duration, 0);
    b.W("AB")->data->kind = WorkKind::Milestone;
    b.net->PlaceWork(b.W("AB"), 0, 5);
    EXPECT_FLOAT_EQ(b.W("AB")->data->duration, 0);
}

}

namespace {

TEST(Placement, ALoopEndsTheCascadeInsteadOfRunningForever)
{
    TFakeMessages quiet;
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    b.Place();
    b.net->Recalculate();
    b.Work('C', 'A', 1);   // a loop the editing tools would have refused
    b.net->MoveNode(b.N('A'), 4);
    b.net->SetNodeTime(b.N('B'), 9);
    b.net->PlaceWork(b.W("CA"), 20, 5);
    b.net->Recalculate();
    b.net->ComputeAndPull();
    EXPECT_TRUE(b.net->order.empty());
    for (const auto& v : b.net->nodes) EXPECT_TRUE(std::isfinite(v->time));
}

}
