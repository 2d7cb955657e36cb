// The resource diagrams at plan sizes users have: the daily profiles of the
// shown resources (one walk over the lines, and the day-by-day profile
// beside it) and one screen of diagrams in each draw mode.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "editing/Relayout.h"
#include "drawing/Pertdrawmode.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "resources/Resourcediagram.h"
#include "support/Plangen.h"

namespace {

// A generated plan whose works use a few of `resources` numbers each, in
// both measure modes.
Tpertgra& Plan(int32_t works, int32_t resources)
{
    static std::map<std::pair<int32_t, int32_t>, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[{works, resources}];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 21;
        shape.startNodes = 20;
        p = GeneratePlan(shape);
        uint32_t k = 1;
        for (Tedge* w : p->AllWorks()) {
            for (int j = 0; j < 3; ++j) {
                k = k * 1103515245u + 12345u;
                Trecsource r;
                r.number = std::string("R").append(std::to_string((k >> 8) % uint32_t(resources)));
                r.measureMode = int32_t(k & 1);
                r.dailyAmount = float((k >> 4) % 9 + 1);
                r.totalAmount = r.dailyAmount * w->data->duration;
                w->data->resources.push_back(r);
            }
        }
        for (int32_t i = 0; i < resources; ++i) p->shownResources.push_back(std::string("R").append(std::to_string(i)));
        LayoutNetwork(*p);
    }
    return *p;
}

// Targets: 5 shown of 10,000 works under 3 ms; 20 of 100,000 under 30 ms.
void BM_ResourceProfiles(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), int32_t(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(BuildWorkProfiles(net, net.shownResources));
    state.counters["days"] = double(DiagramDays(net));
}
BENCHMARK(BM_ResourceProfiles)->Args({10000, 5})->Args({100000, 20})->Unit(benchmark::kMillisecond);

// The day-by-day profile, one per shown resource, measured beside.
void BM_ResourceProfilesLiteral(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)), int32_t(state.range(1)));
    TResourceProfile p;
    for (auto _ : state)
        for (const std::string& n : net.shownResources) {
            BuildWorkProfile(net, p, n);
            benchmark::DoNotOptimize(p.level.data());
        }
}
BENCHMARK(BM_ResourceProfilesLiteral)->Args({10000, 5})->Args({100000, 20})->Unit(benchmark::kMillisecond);

// Target: one 1920 x 1080 screen of 5 diagrams under 10 ms per mode.
void BM_ResourceDiagramScreen(benchmark::State& state)
{
    Tpertgra& net = Plan(10000, 5);
    for (Tedge* w : net.AllWorks())
        for (Trecsource& r : w->data->resources) r.drawMode = int32_t(state.range(0));
    TRecordingCanvas canvas(1920, 1080);
    TPertDrawMode mode(&canvas, dkScreen);
    for (auto _ : state) {
        canvas.Clear();
        DrawResourceDiagrams(net, mode, NetworkDiagramPlace(net, mode));
    }
    state.counters["days"] = double(DiagramDays(net));
}
BENCHMARK(BM_ResourceDiagramScreen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
