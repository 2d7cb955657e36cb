// Adding one work to a plan of a given size, then recalculating: the cost
// must grow with the plan, not with its square.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <random>

#include "editing/Workinsert.h"
#include "model/Pertgra.h"
#include "support/Plangen.h"

namespace {

void BM_InsertAndRecalculate(benchmark::State& state)
{
    SilenceMessages();
    TPlanShape shape;
    shape.works = int32_t(state.range(0));
    shape.seed = 3;
    auto net = GeneratePlan(shape);
    std::mt19937 rng(5);
    Tworkdata data;
    data.name = "新工作";
    data.duration = 3;
    for (auto _ : state) {
        Tvertex* node = net->nodes[rng() % net->nodes.size()].get();
        TPosition2D p{double(node->x + 60), double(node->y + 10)};
        AddWorkOutOfNode(*net, data, node, p, p);
        net->Recalculate();
    }
    state.SetLabel(std::to_string(net->WorkCount()) + " works at the end");
}
BENCHMARK(BM_InsertAndRecalculate)->Arg(1000)->Arg(10000)->Iterations(200)->Unit(benchmark::kMillisecond);

// Building a plan of n works one insertion at a time.
void BM_GrowPlanByInsertion(benchmark::State& state)
{
    SilenceMessages();
    for (auto _ : state) {
        Tpertgra net;
        Tworkdata data;
        data.duration = 2;
        AddFirstWork(net, data);
        net.Recalculate();
        std::mt19937 rng(9);
        for (int64_t i = 1; i < state.range(0); ++i) {
            Tvertex* node = net.nodes[rng() % net.nodes.size()].get();
            TPosition2D p{0, 0};
            AddWorkOutOfNode(net, data, node, p, p);
            net.Recalculate();
        }
    }
}
BENCHMARK(BM_GrowPlanByInsertion)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}
