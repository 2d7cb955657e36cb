// The network checks on large plans: overlapping lines and redundant dummies
// must not compare every work with every other, nor search the plan once
// per dummy. The plain forms run on smaller plans for comparison.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <random>
#include <string>

#include "editing/Networkchecks.h"
#include "editing/Relayout.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "support/Plangen.h"

namespace {

int32_t DummyCount(const Tpertgra& net)
{
    int32_t n = 0;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) n += w->data->IsDummy() ? 1 : 0;
    return n;
}

// A laid-out plan; with ownRows every work line gets a row of its own, so
// that nothing overlaps and the check has to look at everything.
std::unique_ptr<Tpertgra> Plan(int32_t works, bool ownRows, double dummyShare = 0.12)
{
    SilenceMessages();
    TPlanShape shape;
    shape.works = works;
    shape.seed = 11;
    shape.dummyShare = dummyShare;
    auto net = GeneratePlan(shape);
    if (ownRows) {
        int32_t row = 0;
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) w->row = row++;
    }
    LayoutNetwork(*net);
    return net;
}

void BM_FindOverlappingWork(benchmark::State& state)
{
    auto net = Plan(int32_t(state.range(0)), state.range(1) != 0);
    Tedge* found = nullptr;
    for (auto _ : state) {
        found = FindOverlappingWork(*net);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::string(found ? "an overlap" : "no overlap") + ", " +
                   std::to_string(net->WorkCount()) + " works");
}
BENCHMARK(BM_FindOverlappingWork)
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond);

void BM_FindOverlappingWorkLiteral(benchmark::State& state)
{
    auto net = Plan(int32_t(state.range(0)), true);
    for (auto _ : state) benchmark::DoNotOptimize(FindOverlappingWorkLiteral(*net));
    state.SetLabel(std::to_string(net->WorkCount()) + " works, no overlap");
}
BENCHMARK(BM_FindOverlappingWorkLiteral)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

// Plans with about a fifth of their works dummies: 2,000 in 10,000.
void BM_RedundantLinks(benchmark::State& state)
{
    auto net = Plan(int32_t(state.range(0)), false, 0.19);
    size_t found = 0;
    for (auto _ : state) {
        found = RedundantLinks(*net).size();
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(std::to_string(net->WorkCount()) + " works, " + std::to_string(DummyCount(*net)) +
                   " dummies, " + std::to_string(found) + " redundant");
}
BENCHMARK(BM_RedundantLinks)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_RedundantLinksLiteral(benchmark::State& state)
{
    auto net = Plan(int32_t(state.range(0)), false, 0.19);
    for (auto _ : state) benchmark::DoNotOptimize(RedundantLinksLiteral(*net));
    state.SetLabel(std::to_string(net->WorkCount()) + " works, " + std::to_string(DummyCount(*net)) +
                   " dummies");
}
BENCHMARK(BM_RedundantLinksLiteral)->Arg(10000)->Unit(benchmark::kMillisecond);

// The tidying step of the layout deleting a thousand lone milestones from a
// plan of 10,000 works.
void BM_TidyLoneMilestones(benchmark::State& state)
{
    auto plan = Plan(10000, false);
    for (auto _ : state) {
        state.PauseTiming();
        auto net = plan->Clone();
        for (int64_t i = 0; i < state.range(0); ++i) {
            auto* a = new Tvertex;
            auto* b = new Tvertex;
            a->row = b->row = int32_t(i % 50);
            net->AddNode(a);
            net->AddNode(b);
            auto* m = new Tedge;
            m->data->kind = WorkKind::Milestone;
            net->LinkWork(a, b, m);
        }
        state.ResumeTiming();
        net->TidyNetwork();
        state.PauseTiming();
        net.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TidyLoneMilestones)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

// Deleting a tenth of the works of a plan in one go, then recalculating.
void BM_DeleteWorks(benchmark::State& state)
{
    auto plan = Plan(int32_t(state.range(0)), false);
    for (auto _ : state) {
        state.PauseTiming();
        auto net = plan->Clone();
        std::vector<Tedge*> pick;
        std::mt19937 rng(7);
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (rng() % 10 == 0) pick.push_back(w);
        state.ResumeTiming();
        DeleteWorks(*net, pick);
        net->Recalculate();
        state.PauseTiming();
        net.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteWorks)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}
