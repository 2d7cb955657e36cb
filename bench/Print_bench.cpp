// Printing a whole plan to the PDF file printer, every page (target: a
// 10,000-work plan under 3 s and under 500 MB peak memory), and the preview's
// drawing of a page that scrolls into view (target: under 100 ms at 10,000
// works).
#include <benchmark/benchmark.h>

#include "Benchsupport.h"

#include <QGuiApplication>
#include <QImage>
#include <sys/resource.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtprinter.h"
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

}
