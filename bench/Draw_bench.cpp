// Layout plus drawing of the network: the rebuild of a document's image
// after a change, into a screen-size picture, and the drawing alone onto
// the recording canvas (no pixels: the cost of the pass itself).
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <QGuiApplication>
#include <QImage>
#include <map>
#include <memory>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "platform/qt/Qtcanvas.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"
#include "support/Plangen.h"

namespace {

// A generated plan with weekends as rest days, a time label on every work.
Tpertgra& DrawPlan(int32_t works, bool labels)
{
    SilenceMessages();
    static std::map<std::pair<int32_t, bool>, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[{works, labels}];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 5;
        shape.startNodes = 20;
        p = GeneratePlan(shape);
        StartOnMondayRestingWeekends(*p);
        p->showTimeLabels = labels ? 1 : 0;
        LayoutNetwork(*p);
    }
    return *p;
}

// The document window's rebuild: lay out, then draw the part of the
// drawing a 1920 x 1080 window shows, scrolled into the middle of the plan.
void BM_LayoutAndDrawScreenImage(benchmark::State& state)
{
    EnsureBenchGui();
    Tpertgra& net = DrawPlan(int32_t(state.range(0)), state.range(1) != 0);
    const TCanvasSize size = DrawingSize(net);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        LayoutNetwork(net);
        LoadPalette(net, dkScreen);
        image.fill(QColorOf(net.displaySettings.backgroundColor));
        TQtCanvas canvas(&image);
        TPertDrawMode mode(&canvas, dkScreen);
        mode.scrollX = std::max(0, size.cx / 2 - 960);
        mode.scrollY = std::max(0, size.cy / 2 - 540);
        mode.ApplyScreenMapping();
        DrawNetwork(net, mode);
    }
    state.counters["drawing_w"] = size.cx;
    state.counters["drawing_h"] = size.cy;
}
BENCHMARK(BM_LayoutAndDrawScreenImage)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// The drawing alone of the whole plan (every work visible) onto the
// recording canvas.
void BM_DrawWholePlanRecorded(benchmark::State& state)
{
    Tpertgra& net = DrawPlan(int32_t(state.range(0)), false);
    size_t primitives = 0;
    for (auto _ : state) {
        TRecordingCanvas canvas(1 << 28, 1 << 28);
        TPertDrawMode mode(&canvas, dkScreen);
        DrawNetwork(net, mode);
        primitives = canvas.primitives.size();
        benchmark::DoNotOptimize(primitives);
    }
    state.counters["primitives"] = double(primitives);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawWholePlanRecorded)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The plan above links nodes anywhere in the plan with dummies and forks a
// new row off every twelfth work or so: its rows grow with the works and
// its links span the plan, so the picture itself (the hops where joins
// cross rows, the waves of the floats) grows with the square of the works:
// 16,000 primitives at 1,000 works, 458,000 at 10,000, 38 million at
// 100,000. Here the same drawing of a plan whose picture grows with its
// works: 80 rows, no forks, dummies reaching back at most 160 nodes.
Tpertgra& LinearPlan(int32_t works)
{
    SilenceMessages();
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[works];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 5;
        shape.startNodes = 80;
        shape.forkShare = 0;
        shape.dummyReach = 160;
        p = GeneratePlan(shape);
        StartOnMondayRestingWeekends(*p);
        LayoutNetwork(*p);
    }
    return *p;
}

void BM_DrawLinearPlanRecorded(benchmark::State& state)
{
    Tpertgra& net = LinearPlan(int32_t(state.range(0)));
    size_t primitives = 0;
    for (auto _ : state) {
        TRecordingCanvas canvas(1 << 28, 1 << 28);
        TPertDrawMode mode(&canvas, dkScreen);
        DrawNetwork(net, mode);
        primitives = canvas.primitives.size();
        benchmark::DoNotOptimize(primitives);
    }
    state.counters["primitives"] = double(primitives);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawLinearPlanRecorded)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}
