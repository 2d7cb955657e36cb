// The Gantt view at plan sizes users have: the row list with one page of
// cells, the drawing of a full page, the sort by start and a row drag.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "drawing/Pertdrawmode.h"
#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "gantt/Gantt.h"
#include "gantt/Ganttsort.h"
#include "model/Pertgra.h"
#include "platform/Recordingcanvas.h"
#include "support/Plangen.h"

namespace {

// A generated plan shown in the Gantt view.
Tpertgra& Plan(int32_t works)
{
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[works];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 13;
        shape.startNodes = 20;
        p = GeneratePlan(shape);
        SetViewKind(*p, 0);
        LayoutNetwork(*p);
    }
    return *p;
}

// Target: under 30 ms for 100,000 works.
void BM_GanttRowListAndPage(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    TRecordingCanvas canvas;
    const TPertDrawMode mode(&canvas, dkScreen);
    for (auto _ : state) {
        net.liveGantt.LayoutGantt(net, mode);
        benchmark::DoNotOptimize(net.liveGantt.pageWorks.data());
    }
}
BENCHMARK(BM_GanttRowListAndPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Target: under 10 ms for a page of 60 rows. The time ruler above and below
// the rows walks every day of the plan, so the plan's length counts too.
void BM_DrawGanttPage(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    net.liveGantt.SetShowLinks(true);
    TRecordingCanvas canvas;
    TPertDrawMode mode(&canvas, dkScreen);
    for (auto _ : state) {
        canvas.Clear();
        net.liveGantt.DrawGantt(mode, net);
        benchmark::DoNotOptimize(canvas.primitives.data());
    }
    net.liveGantt.SetShowLinks(false);
}
BENCHMARK(BM_DrawGanttPage)->Arg(600)->Arg(100000)->Unit(benchmark::kMillisecond);

// Target: under 50 ms for 100,000 works.
void BM_SortByStart(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    for (auto _ : state) SortByStart(net);
}
BENCHMARK(BM_SortByStart)->Arg(100000)->Unit(benchmark::kMillisecond);

// Target: under 20 ms for 10,000 works: the move and the relayout after it.
void BM_GanttRowDrag(benchmark::State& state)
{
    Tpertgra& net = Plan(int32_t(state.range(0)));
    Tgantt& g = net.liveGantt;
    LayoutNetwork(net);
    const TPosition2D third{g.RowCellsLeft() + 15, g.RowsTop(net) + 2.5 * g.rowHeight};
    for (auto _ : state) {
        g.MoveRow(net, g.pageWorks[0], third);
        LayoutNetwork(net);
    }
}
BENCHMARK(BM_GanttRowDrag)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
