// Network operations that every edit runs, at plan sizes users have.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <map>
#include <memory>

#include "model/Pertgra.h"
#include "support/Plangen.h"

namespace {

Tpertgra& Plan(int32_t works, int32_t starts)
{
    SilenceMessages();
    static std::map<std::pair<int32_t, int32_t>, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[{works, starts}];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 7;
        shape.startNodes = starts;
        p = GeneratePlan(shape);
    }
    return *p;
}

void BM_Recalculate(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), int32_t(state.range(1)));
    for (auto _ : state) net.Recalculate();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Recalculate)->Args({1000, 3})->Args({10000, 3})->Args({100000, 3})->Args({10000, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_Clone(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), 3);
    for (auto _ : state) benchmark::DoNotOptimize(net.Clone());
}
BENCHMARK(BM_Clone)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CloneAndIsSameAs(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), 3);
    for (auto _ : state) {
        auto c = net.Clone();
        benchmark::DoNotOptimize(net.IsSameAs(*c));
    }
}
BENCHMARK(BM_CloneAndIsSameAs)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_IsSameAs(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), 3);
    auto c = net.Clone();
    for (auto _ : state) benchmark::DoNotOptimize(net.IsSameAs(*c));
}
BENCHMARK(BM_IsSameAs)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AllWorks(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), 3);
    for (auto _ : state) benchmark::DoNotOptimize(net.AllWorks());
}
BENCHMARK(BM_AllWorks)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}

#include "platform/Memory.h"

namespace {
// The programs tune the allocator at start; the benchmarks measure the same.
const bool kTuned = (TuneAllocatorForLargePlans(), true);
}
