// The sheets of a print job played from one recorded pass look exactly like
// the sheets drawn by the whole pass under each sheet's clip.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "Desktopgui.h"
#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "editing/Relayout.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "platform/Displaylist.h"
#include "platform/Recordingcanvas.h"
#include "platform/qt/Qtcanvas.h"
#include "shell/Printnetwork.h"
#include "support/Fakemessages.h"
#include "support/Fakeprinter.h"
#include "support/Plangen.h"

namespace {

std::unique_ptr<Tpertgra> Generated(int32_t works)
{
    TPlanShape shape;
    shape.works = works;
    shape.seed = 5;
    auto net = GeneratePlan(shape);
    net->showFrame = true;
    return net;
}

std::unique_ptr<Tpertgra> Loaded(const std::string& path)
{
    auto net = std::make_unique<Tpertgra>();
    if (LoadProject(*net, path) != 1) return nullptr;
    net->Recalculate();
    return net;
}

struct TCase {
    const char* name;
    std::function<std::unique_ptr<Tpertgra>()> make;
};

QImage Blank(const TSheet& s)
{
    QImage image(int(s.width), int(s.height), QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

TEST(PrintSheets, PlayedSheetsMatchTheWholePassClippedPixelForPixel)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    const std::string data = ARROWPLAN_TEST_DATA;
    const std::string samples = ARROWPLAN_SAMPLES;
    const TCase cases[] = {
        {"generated, legend and title block below, time labels, grid lines",
         [] {
             auto net = Generated(250);
             Tpertexplain& e = net->grid->explain;
             e.showMode = 2;
             e.explanationLines = {"说明：本计划按日历天排定。", "second paragraph of the note"};
             net->showTimeLabels = 1;
             net->grid->scales[0].gridLines = true;
             return net;
         }},
        {"rest days, title tables at the right, ratios 150 and 80",
         [data] {
             auto net = Loaded(data + "/restdays.prt");
             if (!net) return net;
             net->showFrame = true;
             net->grid->explain.showMode = 1;
             net->grid->explain.titleStyle = 1;
             net->displaySettings.printRatioX = 150;
             net->displaySettings.printRatioY = 80;
             return net;
         }},
        {"sample, Gantt chart",
         [samples] {
             auto net = Loaded(samples + "/01住宅楼工程.prt");
             if (net) net->networkView = false;
             return net;
         }},
        {"sample, resource diagrams under the network",
         [samples] {
             auto net = Loaded(samples + "/02幸福家园小区一期工程.prt");
             if (net) net->resourceDiagramInNetwork = true;
             return net;
         }},
        {"sample, logic network",
         [samples] {
             auto net = Loaded(samples + "/02幸福家园小区一期工程.prt");
             if (net) net->networkKind = 1;
             return net;
         }},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.name);
        auto net = k.make();
        ASSERT_TRUE(net);
        LayoutNetwork(*net, 1, 1);
        // A small sheet at 144 dots per inch: many sheets, factors of 1.5.
        TFakePrinter printer;
        printer.dx = printer.dy = 144;
        printer.page = {700, 500};
        const TPrintGeometry g = PrintGeometry(*net, printer);
        ASSERT_TRUE(g.problem.empty()) << g.problem;
        ASSERT_GE(g.across, 3);
        ASSERT_GE(g.down, 2);
        const TSheet sheet = PrinterSheet(g);
        LoadPalette(*net, dkPrint);
        LayoutNetwork(*net, sheet.xf, sheet.yf);
        const int32_t pages = g.Pages();
        QImage metricsImage = Blank(sheet);
        TQtCanvas metrics(&metricsImage, 144);
        const TSheetDrawing drawing(*net, metrics, sheet, 1, pages);
        // Corners, edges and inner sheets.
        const std::set<int32_t> chosen{1, 2, g.across, g.across + 1, g.across + 2,
                                       pages / 2 + 1, pages - g.across + 1, pages};
        size_t played = 0;
        for (int32_t n = 1; n <= pages; ++n) played += drawing.PrimitivesOf(n);
        for (const int32_t n : chosen) {
            SCOPED_TRACE(n);
            QImage whole = Blank(sheet);
            {
                TQtCanvas c(&whole, 144);
                DrawSheet(*net, c, sheet, (n - 1) % g.across, (n - 1) / g.across);
            }
            QImage part = Blank(sheet);
            {
                TQtCanvas c(&part, 144);
                drawing.Draw(c, n);
            }
            EXPECT_TRUE(whole == part);
        }
        // Each sheet plays what lies on it, not the whole pass again.
        EXPECT_LT(played, drawing.Primitives() * 3);
        EXPECT_LT(drawing.PrimitivesOf(pages / 2 + 1), drawing.Primitives() / 2);
        LoadPalette(*net, dkScreen);
    }
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(DisplayList, KeepsOrderStateAndTheDrawingsOwnClip)
{
    TRecordingCanvas metrics;
    TDisplayList list(metrics, TCanvasRect{0, 0, 1000, 1000});
    list.SetPen(TCanvasPen{0x0000FF, 3});
    list.Line(10, 10, 50, 10);
    TCanvasFont f;
    f.size = 12;
    list.SetFont(f);
    list.TextOut(100, 100, "工期");
    list.Save();
    list.SetClipRect(TCanvasRect{0, 0, 20, 20});
    list.Polyline({{0, 0}, {5, 5}, {9, 0}});
    list.Restore();
    list.Line(1, 2, 3, 4);
    ASSERT_EQ(list.Count(), 4u);
    // Bounds hold the pen's reach and the text's extent (and then some).
    const TCanvasRect& line = list.Bounds(0);
    EXPECT_TRUE(line.left <= 10 - 3 && line.right >= 50 + 3 && line.top <= 7 && line.bottom >= 13);
    const TCanvasSize e = TRecordingCanvas::Metric(f, 96, "工期");
    const TCanvasRect& text = list.Bounds(1);
    EXPECT_TRUE(text.left <= 100 && text.right >= 100 + e.cx && text.bottom >= 100 + e.cy);
    EXPECT_EQ(list.Bounds(2), TDisplayList::kEverywhere);
    EXPECT_NE(list.Bounds(3), TDisplayList::kEverywhere);

    TRecordingCanvas target;
    target.SetClipRect(TCanvasRect{0, 0, 500, 500});
    list.Play(target, {0, 2, 3});
    using K = TRecordingCanvas::TKind;
    ASSERT_EQ(target.primitives.size(), 3u);
    EXPECT_EQ(target.primitives[0].kind, K::Line);
    EXPECT_EQ(target.primitives[0].pen.width, 3);
    EXPECT_EQ(target.primitives[1].kind, K::Polyline);
    EXPECT_EQ(target.primitives[1].clip, (TCanvasRect{0, 0, 20, 20}));
    // After the drawing's clip the target's own is in force again.
    EXPECT_EQ(target.primitives[2].clip, (TCanvasRect{0, 0, 500, 500}));
    EXPECT_EQ(target.primitives[2].font.size, 12);
    EXPECT_EQ(target.Pen(), TCanvasPen{});
}

}
