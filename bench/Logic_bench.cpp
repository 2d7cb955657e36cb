// The logic network view: its relayout at plan sizes users have and on the
// two shapes that are hardest for a level walk (one long chain, one node
// with every work leaving it), its scaling for another factor, and the
// annotation hit test that runs at every pointer move.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <map>
#include <memory>

#include "drawing/Biaozhu.h"
#include "drawing/Biaozhudraw.h"
#include "drawing/Layoutpass.h"
#include "drawing/Timeaxis.h"
#include "editing/Relayout.h"
#include "model/Edge.h"
#include "model/Pertgra.h"
#include "model/Vertex.h"
#include "model/Workdata.h"
#include "schedule/Logicpert.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"
#include "support/Plangen.h"

namespace {

enum TShape { kGenerated = 0, kChain = 1, kFan = 2 };

Tedge* Link(Tpertgra& net, Tvertex* from, Tvertex* to, float duration, int32_t row)
{
    auto* w = new Tedge;
    w->data->duration = duration;
    w->data->name = "工作";
    w->row = row;
    net.LinkWork(from, to, w);
    return w;
}

std::unique_ptr<Tpertgra> Shaped(TShape shape, int32_t works)
{
    if (shape == kGenerated) {
        TPlanShape s;
        s.works = works;
        s.seed = 11;
        s.startNodes = 20;
        return GeneratePlan(s);
    }
    auto net = std::make_unique<Tpertgra>();
    auto* first = new Tvertex;
    net->AddNode(first);
    Tvertex* prev = first;
    for (int32_t i = 0; i < works; ++i) {
        auto* v = new Tvertex;
        net->AddNode(v);
        if (shape == kChain) {
            Link(*net, prev, v, 1 + i % 3, 0);
            prev = v;
        } else {
            Link(*net, first, v, 1 + i % 5, i);
        }
    }
    net->Recalculate();
    return net;
}

// The plan in the logic view, laid out once.
Tpertgra& LogicPlan(TShape shape, int32_t works)
{
    SilenceMessages();
    static std::map<std::pair<int, int32_t>, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[{shape, works}];
    if (!p) {
        p = Shaped(shape, works);
        p->networkKind = 1;
        LayoutNetwork(*p);
    }
    return *p;
}

void BM_LogicRelayout(benchmark::State& state)
{
    Tpertgra& net = LogicPlan(TShape(state.range(0)), int32_t(state.range(1)));
    for (auto _ : state) LayoutNetwork(net);
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_LogicRelayout)
    ->ArgNames({"shape", "works"})
    ->Args({kGenerated, 10000})
    ->Args({kGenerated, 100000})
    ->Args({kChain, 100000})
    ->Args({kFan, 100000})
    ->Unit(benchmark::kMillisecond);

// The geometry the logic layout asks of the drawing, as the layout pass
// gives it.
class TBenchLogicAxis : public ILogicAxis {
public:
    explicit TBenchLogicAxis(Tpertgra& net) : net_(net) {}
    double Y0() const override { return ::Y0(net_); }
    double RowHeight() const override { return ::RowHeight(net_); }
    void Displace(Tpertgra& net) override { ComputeDisplacements(net); }
    double XOfDay(double day) override { return TTimeAxis(net_).XOfTime(day); }

private:
    Tpertgra& net_;
};

void BM_ScaleLogicNetwork(benchmark::State& state)
{
    Tpertgra& net = LogicPlan(kGenerated, int32_t(state.range(0)));
    LayoutNetwork(net);
    TBenchLogicAxis axis(net);
    for (auto _ : state) ScaleLogicNetwork(net, 2.0, 2.0, axis);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScaleLogicNetwork)->Arg(100000)->Unit(benchmark::kMillisecond);

// A 10,000-work plan on the time scale with a rest weekend every week and
// 1,000 annotations spread over it; the pointer sweeps the drawing.
void BM_AnnotationAt(benchmark::State& state)
{
    SilenceMessages();
    static std::unique_ptr<Tpertgra> p;
    if (!p) {
        TPlanShape s;
        s.works = 10000;
        s.seed = 11;
        s.startNodes = 20;
        p = GeneratePlan(s);
        const float end = StartOnMondayRestingWeekends(*p);
        for (int32_t i = 0; i < int32_t(state.range(0)); ++i) {
            auto a = std::make_unique<TBiaoZhu>();
            a->anchorDay = (i * 7) % int32_t(end + 1);
            a->anchorRow = (i * 13) % 200;
            a->width = 60;
            a->height = 30;
            p->annotations.push_back(std::move(a));
        }
        LayoutNetwork(*p);
    }
    double x = 0, y = 0;
    int64_t found = 0;
    for (auto _ : state) {
        x += 37;
        y += 11;
        if (x > 20000) x -= 20000;
        if (y > 10000) y -= 10000;
        found += AnnotationAt(*p, {x, y}) != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.counters["displacements"] = double(p->displacements.size());
}
BENCHMARK(BM_AnnotationAt)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
