// What the desktop program does after one change of a large plan: the
// whole cycle and each of its steps.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "editing/Autobackup.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "support/Plangen.h"

#if ARROWPLAN_BENCH_UI
#include <QGuiApplication>
#include <QImage>

#include "editing/Pertfm1.h"
#include "platform/qt/Qtcanvas.h"
#endif

namespace {

Tpertgra& EditPlan()
{
    SilenceMessages();
    static std::unique_ptr<Tpertgra> plan;
    if (!plan) {
        TPlanShape shape;
        shape.works = 10000;
        shape.seed = 11;
        shape.startNodes = 8;
        plan = GeneratePlan(shape);
        LayoutNetwork(*plan);
    }
    return *plan;
}

std::string BackupPath()
{
    return (std::filesystem::temp_directory_path() / "arrowplan-bench-~TMP").string();
}

#if ARROWPLAN_BENCH_UI
// A screen-sized cached picture, as a document window keeps one.
QImage& Picture()
{
    static int argc = 1;
    static char name[] = "arrowplan-bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        auto* a = new QGuiApplication(argc, argv);
        InstallFontSubstitutions();
        return a;
    }();
    (void)app;
    static QImage image(1920 * 3 / 2, 1080 * 3 / 2, QImage::Format_RGB32);
    return image;
}
#endif

// Changes one work's duration, as an edit would.
void Touch(Tpertgra& net, int i)
{
    Tedge* w = net.nodes[net.nodes.size() / 2]->firstWork;
    if (w) w->data->duration = float(2 + i % 3);
}

void BM_EditCycle(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    std::unique_ptr<Tpertgra> previous = net.Clone();
    const std::string backup = BackupPath();
    int i = 0;
    for (auto _ : state) {
        Touch(net, ++i);
        net.Recalculate();
        LayoutNetwork(net);
        std::unique_ptr<Tpertgra> snapshot = net.Clone();
        benchmark::DoNotOptimize(snapshot->IsSameAs(*previous));
        TAutoBackup::WriteBackup(net, backup);
#if ARROWPLAN_BENCH_UI
        Tpertfm::DrawInto(net, Picture(), 100, 0, 0);
#endif
        previous = std::move(snapshot);
    }
    std::filesystem::remove(backup);
}
BENCHMARK(BM_EditCycle)->Unit(benchmark::kMillisecond);

void BM_EditRecalculate(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    int i = 0;
    for (auto _ : state) {
        Touch(net, ++i);
        net.Recalculate();
    }
}
BENCHMARK(BM_EditRecalculate)->Unit(benchmark::kMillisecond);

void BM_EditRelayout(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    for (auto _ : state) LayoutNetwork(net);
}
BENCHMARK(BM_EditRelayout)->Unit(benchmark::kMillisecond);

void BM_EditSnapshot(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    for (auto _ : state) benchmark::DoNotOptimize(net.Clone());
}
BENCHMARK(BM_EditSnapshot)->Unit(benchmark::kMillisecond);

void BM_EditEquality(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    std::unique_ptr<Tpertgra> copy = net.Clone();
    for (auto _ : state) benchmark::DoNotOptimize(net.IsSameAs(*copy));
}
BENCHMARK(BM_EditEquality)->Unit(benchmark::kMillisecond);

void BM_EditBackupWrite(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    const std::string backup = BackupPath();
    for (auto _ : state) benchmark::DoNotOptimize(TAutoBackup::WriteBackup(net, backup));
    std::filesystem::remove(backup);
}
BENCHMARK(BM_EditBackupWrite)->Unit(benchmark::kMillisecond);

#if ARROWPLAN_BENCH_UI
void BM_EditImageRebuild(benchmark::State& state)
{
    Tpertgra& net = EditPlan();
    QImage& image = Picture();
    for (auto _ : state) Tpertfm::DrawInto(net, image, 100, 0, 0);
}
BENCHMARK(BM_EditImageRebuild)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
