// The relayout of the time-scaled drawing and the frame it draws, at plan
// sizes users have.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <map>
#include <memory>

#include "drawing/Displace.h"
#include "drawing/Layoutpass.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"
#include "support/Plangen.h"

namespace {

// A generated plan with rows spread out and a rest day every Saturday and
// Sunday over its whole length.
Tpertgra& Plan(int32_t works)
{
    SilenceMessages();
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[works];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 11;
        shape.startNodes = 20;
        p = GeneratePlan(shape);
        StartOnMondayRestingWeekends(*p);
        LayoutNetwork(*p);
    }
    return *p;
}

void BM_Relayout(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    for (auto _ : state) LayoutNetwork(net);
    state.counters["entries"] = double(net.displacements.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Relayout)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DisplacementsAndPositions(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    for (auto _ : state) {
        ComputeDisplacements(net);
        PlaceNodesAndWorks(net, 1, 1);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DisplacementsAndPositions)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DrawFrame(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    size_t primitives = 0;
    for (auto _ : state) {
        canvas.Clear();
        net.grid->DrawFrame(net, mode);
        primitives = canvas.primitives.size();
    }
    state.counters["primitives"] = double(primitives);
}
BENCHMARK(BM_DrawFrame)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}
