#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "interchange/Projectxml.h"
#include "interchange/Projectxmlimport.h"
#include "interchange/Worktablecsv.h"
#include "model/Pertgra.h"
#include "support/Plangen.h"

namespace {

std::unique_ptr<Tpertgra> Plan10k()
{
    TPlanShape shape;
    shape.works = 10000;
    auto plan = GeneratePlan(shape);
    plan->ComputeAndPull();
    return plan;
}

// Target: under 300 ms.
void BM_ExportXml10k(benchmark::State& state)
{
    auto plan = Plan10k();
    for (auto _ : state) benchmark::DoNotOptimize(ProjectXml(*plan));
}
BENCHMARK(BM_ExportXml10k)->Unit(benchmark::kMillisecond);

// Target: under 100 ms.
void BM_ExportCsv10k(benchmark::State& state)
{
    auto plan = Plan10k();
    for (auto _ : state) benchmark::DoNotOptimize(WorkTableCsv(*plan, TCsvEncoding::Utf8Bom));
}
BENCHMARK(BM_ExportCsv10k)->Unit(benchmark::kMillisecond);

// 10,000 tasks with 15,000 links: each task after the one before it in its
// chain of 20, half of them also after a random earlier task. Target: under 2 s.
std::string File10k()
{
    std::mt19937 rng(7);
    std::string x = "<Project><StartDate>2026-03-02T08:00:00</StartDate><Tasks>";
    for (int i = 1; i <= 10000; ++i) {
        x += "<Task><UID>" + std::to_string(i) + "</UID><Name>任务" + std::to_string(i) +
             "</Name><Duration>PT" + std::to_string(8 * (1 + int(rng() % 10))) + "H0M0S</Duration>";
        auto link = [&](int p) {
            x += "<PredecessorLink><PredecessorUID>" + std::to_string(p) +
                 "</PredecessorUID><Type>1</Type></PredecessorLink>";
        };
        if (i % 20 != 1) link(i - 1);
        if (i > 40 && i % 2 == 0) link(1 + int(rng() % unsigned(i - 21)));
        x += "</Task>";
    }
    return x + "</Tasks></Project>";
}

void BM_ImportXml10k(benchmark::State& state)
{
    const std::string file = File10k();
    for (auto _ : state) {
        TXmlImport r = ImportProjectXml(file);
        if (!r.net) state.SkipWithError(r.problem.c_str());
        benchmark::DoNotOptimize(r.net.get());
    }
}
BENCHMARK(BM_ImportXml10k)->Unit(benchmark::kMillisecond);

}  // namespace
