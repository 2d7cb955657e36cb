// What the desktop program does after one change of a large plan: the
// whole cycle and each of its steps.
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "editing/Autobackup.h"
#include "editing/Backupfiles.h"
#include "editing/History.h"
#include "editing/Historystep.h"
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

// The generated plans of the edit cycle, laid out, one per size.
Tpertgra& EditPlan(int32_t works = 10000)
{
    SilenceMessages();
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    std::unique_ptr<Tpertgra>& plan = plans[works];
    if (!plan) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 11;
        shape.startNodes = 8;
        plan = GeneratePlan(shape);
        LayoutNetwork(*plan);
    }
    return *plan;
}

std::string BackupFolder()
{
    const auto dir = std::filesystem::temp_directory_path() / "arrowplan-bench-backup";
    std::filesystem::create_directories(dir);
    return dir.string();
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

// A timer that expires when its interval has really passed, looked at once
// a cycle (the benchmark has no event loop).
class TWallTimer : public TManualTimer {
public:
    void Start(int milliseconds) override
    {
        TManualTimer::Start(milliseconds);
        due_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    }
    void Poll()
    {
        if (IsActive() && std::chrono::steady_clock::now() >= due_) Fire();
    }

private:
    std::chrono::steady_clock::time_point due_;
};

// Changes one work's duration, as an edit would.
void Touch(Tpertgra& net, int i)
{
    Tedge* w = net.nodes[net.nodes.size() / 2]->firstWork;
    if (w) w->data->duration = float(2 + i % 3);
}

// What the document does after a change: recalculate, lay out, record the
// history step (which compares block by block with the state before),
// hand the step to the backup worker (at most once a second, as the timer
// lets it) and draw the picture again. Only this thread's time counts: the
// backup is written meanwhile by the worker.
void BM_EditCycle(benchmark::State& state)
{
    Tpertgra& net = EditPlan(int32_t(state.range(0)));
    THistory history;
    history.Start(net);
    TBackupFiles files(BackupFolder());
    auto owned = std::make_unique<TWallTimer>();
    TWallTimer* timer = owned.get();
    TAutoBackup backup(std::move(owned), files, [&] { return history.Current(); });
    int i = 0;
    double ownBytes = 0;
    for (auto _ : state) {
        Touch(net, ++i);
        net.Recalculate();
        LayoutNetwork(net);
        history.Push(net);
        timer->Poll();
        backup.Request();
#if ARROWPLAN_BENCH_UI
        Tpertfm::DrawInto(net, Picture(), 100, 0, 0);
#endif
        ownBytes += double(history.snapshots[0]->OwnBlockBytes(history.snapshots[1].get()));
    }
    backup.Discard();
    state.counters["step_kB"] = ownBytes / 1024 / double(std::max<int64_t>(1, state.iterations()));
    state.counters["backups"] = backup.Writes();
}
BENCHMARK(BM_EditCycle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same cycle the former way: a whole-network copy for the history, the
// comparison with the copy before and the backup written on this thread.
void BM_EditCycleWholeCopy(benchmark::State& state)
{
    Tpertgra& net = EditPlan(int32_t(state.range(0)));
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
BENCHMARK(BM_EditCycleWholeCopy)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The heap one history step takes, whole copy against compact step, after
// the edit of the cycle (a duration in the middle of the plan), over twelve
// steps: counters in bytes per step.
void BM_HistoryStepMemory(benchmark::State& state)
{
    Tpertgra& net = EditPlan(int32_t(state.range(0)));
    auto heap = [] { return double(mallinfo2().uordblks); };
    double compact = 0, whole = 0, blocks = 0;
    for (auto _ : state) {
        THistory history;
        history.Start(net);
        const double before = heap();
        for (int i = 1; i <= 12; ++i) {
            Touch(net, i);
            net.Recalculate();
            LayoutNetwork(net);
            history.Push(net);
            blocks += double(history.snapshots[0]->OwnBlockBytes(history.snapshots[1].get()));
        }
        compact = (heap() - before) / 12;
        blocks /= 12;
        const double beforeCopy = heap();
        std::unique_ptr<Tpertgra> copy = net.Clone();
        whole = heap() - beforeCopy;
    }
    state.counters["compact_step_MB"] = compact / 1e6;
    state.counters["step_blocks_MB"] = blocks / 1e6;
    state.counters["whole_copy_MB"] = whole / 1e6;
}
BENCHMARK(BM_HistoryStepMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

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

// Recording the history step of an unchanged network after the one before:
// the encoding and the comparison of every block.
void BM_EditHistoryStep(benchmark::State& state)
{
    Tpertgra& net = EditPlan(int32_t(state.range(0)));
    std::shared_ptr<const THistoryStep> previous = THistoryStep::Record(net);
    for (auto _ : state) previous = THistoryStep::Record(net, previous.get());
}
BENCHMARK(BM_EditHistoryStep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Undo: the network restored from a step.
void BM_EditRestoreStep(benchmark::State& state)
{
    Tpertgra& net = EditPlan(int32_t(state.range(0)));
    std::shared_ptr<const THistoryStep> step = THistoryStep::Record(net);
    for (auto _ : state) benchmark::DoNotOptimize(step->Restore());
}
BENCHMARK(BM_EditRestoreStep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
