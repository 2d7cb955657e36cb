// Printing a whole plan to the PDF file printer, every page (target: a
// 10,000-work plan under 3 s and under 500 MB peak memory), the preview's
// drawing of a page that scrolls into view (target: under 100 ms at 10,000
// works), and the PNG picture of a whole plan (target: a 10,000-work plan
// under 4 s and under 150 MB peak memory).
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <QGuiApplication>
#include <QImage>
#include <sys/resource.h>
#include <unistd.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtprinter.h"
#include "shell/Pictureexportfm.h"
#include "shell/Printnetwork.h"
#include "support/Plangen.h"

namespace {

Tpertgra& PrintPlan(int32_t works)
{
    SilenceMessages();
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[works];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 7;
        shape.startNodes = 20;
        p = GeneratePlan(shape);
        p->showFrame = true;
        LayoutNetwork(*p, 1, 1);
    }
    return *p;
}

double PeakMegabytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

void BM_PrintAllPagesToPdf(benchmark::State& state)
{
    EnsureBenchGui();
    Tpertgra& net = PrintPlan(int32_t(state.range(0)));
    const std::string path = "/tmp/arrowplan-bench-" + std::to_string(getpid()) + ".pdf";
    int32_t pages = 0;
    for (auto _ : state) {
        TQtPrinter printer(path);
        ApplyPaper(printer, net.displaySettings.paperSize, net.displaySettings.orientation);
        const TPrintGeometry g = PrintGeometry(net, printer);
        pages = g.Pages();
        if (!PrintPages(net, printer, 1, pages)) state.SkipWithError("printing failed");
    }
    unlink(path.c_str());
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_PrintAllPagesToPdf)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A page in the middle of the plan at 100 %, drawn as the preview draws it.
void BM_PreviewPageIntoView(benchmark::State& state)
{
    EnsureBenchGui();
    Tpertgra& net = PrintPlan(int32_t(state.range(0)));
    TQtPrinter printer(std::string("/tmp/unused.pdf"));
    ApplyPaper(printer, net.displaySettings.paperSize, net.displaySettings.orientation);
    const TSheet sheet = PreviewSheet(PrintGeometry(net, printer), 1.0);
    QImage image(int(sheet.width), int(sheet.height), QImage::Format_RGB32);
    for (auto _ : state) {
        TQtCanvas canvas(&image);
        DrawSheet(net, canvas, sheet, sheet.across / 2, sheet.down / 2);
    }
    LoadPalette(net, dkScreen);
    state.counters["pages"] = sheet.across * sheet.down;
}
BENCHMARK(BM_PreviewPageIntoView)->Arg(10000)->Unit(benchmark::kMillisecond);

// A line of /proc/self/status in MB (VmRSS: resident now, VmHWM: the peak
// since the last ResetPeak).
double StatusMegabytes(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string name;
    while (in >> name) {
        if (name == key) {
            long kb = 0;
            in >> kb;
            return double(kb) / 1024.0;
        }
        in.ignore(1 << 10, '\n');
    }
    return 0;
}

// Gives freed heap back and starts a new peak from the current size.
void ResetPeak()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The whole plan as a PNG picture at 100 %. peak_MB is the highest resident
// growth of the process during the export (what the export itself takes),
// process_peak_MB the highest resident size of the whole process then (the
// network, Qt and whatever earlier benchmarks of the run keep included).
// A plan of 80 parallel chains (no forks), a frame around it: a long, low
// drawing as construction plans are, 29,596 x 4,395 pixels at 10,000 works.
Tpertgra& LongPlan(int32_t works)
{
    SilenceMessages();
    static std::map<int32_t, std::unique_ptr<Tpertgra>> plans;
    auto& p = plans[works];
    if (!p) {
        TPlanShape shape;
        shape.works = works;
        shape.seed = 7;
        shape.startNodes = 80;
        shape.forkShare = 0;
        p = GeneratePlan(shape);
        p->showFrame = true;
        LayoutNetwork(*p, 1, 1);
    }
    return *p;
}

void BM_ExportPng(benchmark::State& state)
{
    EnsureBenchGui();
    Tpertgra& net = LongPlan(int32_t(state.range(0)));
    const std::string path = "/tmp/arrowplan-bench-" + std::to_string(getpid()) + ".png";
    double peak = 0;
    double processPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const double before = StatusMegabytes("VmRSS:");
        state.ResumeTiming();
        std::string problem;
        if (!ExportPicture(net, path, TPicturePalette::Print, 1.0, &problem)) {
            state.SkipWithError(problem.c_str());
            break;
        }
        const double high = StatusMegabytes("VmHWM:");
        peak = std::max(peak, high - before);
        processPeak = std::max(processPeak, high);
    }
    const TCanvasSize size = DrawingSize(net);
    state.counters["width"] = size.cx;
    state.counters["height"] = size.cy;
    state.counters["peak_MB"] = peak;
    state.counters["process_peak_MB"] = processPeak;
    state.counters["file_MB"] = double(std::filesystem::file_size(path)) / 1e6;
    unlink(path.c_str());
}
BENCHMARK(BM_ExportPng)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}
