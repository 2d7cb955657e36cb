#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "support/Plangen.h"

// Saving and loading a plan of 100,000 works, and the memory a load takes
// beyond the network it builds.

namespace {


Tpertgra& Plan()
{
    static std::unique_ptr<Tpertgra> plan = [] {
        SilenceMessages();
        TPlanShape s;
        s.works = 100000;
        s.seed = 7;
        s.startNodes = 20;
        s.fractional = true;
        return GeneratePlan(s);
    }();
    return *plan;
}

std::string PlanFile()
{
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "arrowplan-bench.prt").string();
        SaveProject(Plan(), p);
        return p;
    }();
    return path;
}

// Resident and peak resident memory of this process in kB; writing 5 to
// clear_refs starts a new peak from the current size.
long StatusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string name;
    long value = 0;
    while (in >> name) {
        if (name == key) {
            in >> value;
            return value;
        }
        in.ignore(1 << 10, '\n');
    }
    return 0;
}

// Gives freed heap back first, so that a load cannot hide in memory an
// earlier step left behind.
void ResetPeak()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_SaveProject(benchmark::State& state)
{
    Tpertgra& net = Plan();
    const std::string path = PlanFile();
    for (auto _ : state) benchmark::DoNotOptimize(SaveProject(net, path));
    state.counters["file_MB"] = double(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_LoadProject(benchmark::State& state)
{
    const std::string path = PlanFile();
    for (auto _ : state) {
        auto net = std::make_unique<Tpertgra>();
        benchmark::DoNotOptimize(LoadProject(*net, path));
        state.PauseTiming();
        net.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_WriteProjectBytes(benchmark::State& state)
{
    Tpertgra& net = Plan();
    for (auto _ : state) benchmark::DoNotOptimize(WriteProjectBytes(net));
}
BENCHMARK(BM_WriteProjectBytes)->Unit(benchmark::kMillisecond);

// One load with its memory: peak_MB is the highest resident growth during
// the load, network_MB what the loaded network keeps, file_MB the file.
void BM_LoadProjectMemory(benchmark::State& state)
{
    const std::string path = PlanFile();
    const double file = double(std::filesystem::file_size(path)) / 1e6;
    double peak = 0;
    double network = 0;
    for (auto _ : state) {
        ResetPeak();
        const long before = StatusKb("VmRSS:");
        auto net = std::make_unique<Tpertgra>();
        benchmark::DoNotOptimize(LoadProject(*net, path));
        peak = double(StatusKb("VmHWM:") - before) / 1e3;
        network = double(StatusKb("VmRSS:") - before) / 1e3;
        state.PauseTiming();
        net.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = file;
    state.counters["peak_MB"] = peak;
    state.counters["network_MB"] = network;
    state.counters["peak_minus_network_per_file"] = file > 0 ? (peak - network) / file : 0;
}
BENCHMARK(BM_LoadProjectMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
