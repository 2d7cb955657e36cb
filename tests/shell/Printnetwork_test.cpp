#include "shell/Printnetwork.h"

#include <gtest/gtest.h>

#include <cmath>

#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "support/Fakemessages.h"
#include "support/Fakeprinter.h"
#include "support/Netbuilder.h"

namespace {

// A framed plan of three works, laid out on screen.
TNetBuilder FramedPlan()
{
    TNetBuilder b;
    b.Work('A', 'B', 10);
    b.Work('B', 'C', 20);
    b.Work('A', 'C', 5)->row = 1;
    b.Place();
    b.net->Recalculate();
    b.net->showFrame = true;
    LayoutNetwork(*b.net, 1, 1);
    return b;
}

// A sheet whose printable area is the drawing divided by `across` and `down`, at 96 dots
// per inch so that printer pixels are drawing units.
TFakePrinter SheetFor(const Tpertgra& net, double across, double down)
{
    TFakePrinter p;
    p.page = {100000, 100000};
    const TPrintGeometry g = PrintGeometry(net, p);
    p.page = {int32_t(std::ceil(g.drawingWidth / across)) + 55,
              int32_t(std::ceil(g.drawingHeight / down)) + 105};
    return p;
}

bool AllClipped(const TRecordingCanvas& page, const TCanvasRect& clip)
{
    size_t n = 0;
    for (const auto& p : page.primitives) {
        if (p.kind == TRecordingCanvas::TKind::FillRect && !p.clip) continue;  // the white sheet
        if (!p.clip || !(*p.clip == clip)) return false;
        ++n;
    }
    return n > 0;
}

TEST(PrintNetwork, OnePageHasNoClipAndNoShift)
{
    TFakeMessages msgs;
    TNetBuilder b = FramedPlan();
    TFakePrinter p;
    p.page = {100000, 100000};
    ASSERT_TRUE(PrintNetwork(*b.net, p));
    ASSERT_EQ(p.pages.size(), 1u);
    EXPECT_EQ(p.dialogMax, 1);
    for (const auto& prim : p.pages[0].primitives) {
        EXPECT_FALSE(prim.clip.has_value());
        EXPECT_EQ(prim.mapping.originX, 0);
    }
    EXPECT_TRUE(p.ended);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(PrintNetwork, SecondPageAcrossIsClippedAndShiftedByOnePrintableWidth)
{
    TFakeMessages msgs;
    TNetBuilder b = FramedPlan();
    TFakePrinter p = SheetFor(*b.net, 1.5, 0.6);
    ASSERT_TRUE(PrintNetwork(*b.net, p));
    ASSERT_EQ(p.pages.size(), 2u);
    const int32_t area = p.page.cx - 55;
    EXPECT_TRUE(AllClipped(p.pages[0], TCanvasRect{0, 0, p.page.cx - 5, p.page.cy - 5}));
    EXPECT_TRUE(AllClipped(p.pages[1], TCanvasRect{50, 0, p.page.cx - 5, p.page.cy - 5}));
    EXPECT_NEAR(p.pages[1].primitives.back().mapping.originX, -area, 1e-6);
    EXPECT_EQ(p.pages[1].primitives.back().mapping.originY, 0);
}

TEST(PrintNetwork, ChosenRangeIsPrintedAndClamped)
{
    TFakeMessages msgs;
    struct {
        int32_t from, to;
        size_t pages;
    } cases[] = {{2, 3, 2}, {0, 99, 4}, {4, 4, 1}};
    for (const auto& k : cases) {
        TNetBuilder b = FramedPlan();
        TFakePrinter p = SheetFor(*b.net, 1.5, 1.5);
        p.chooseFrom = k.from;
        p.chooseTo = k.to;
        ASSERT_TRUE(PrintNetwork(*b.net, p));
        EXPECT_EQ(p.dialogMax, 4);
        EXPECT_EQ(p.pages.size(), k.pages) << k.from << "-" << k.to;
    }
    // Page 3 is the first of the second row: clipped at the top margin only.
    TNetBuilder b = FramedPlan();
    TFakePrinter p = SheetFor(*b.net, 1.5, 1.5);
    p.chooseFrom = p.chooseTo = 3;
    ASSERT_TRUE(PrintNetwork(*b.net, p));
    EXPECT_TRUE(AllClipped(p.pages[0], TCanvasRect{0, 100, p.page.cx - 5, p.page.cy - 5}));
    EXPECT_NEAR(p.pages[0].primitives.back().mapping.originY, -(p.page.cy - 105), 1e-6);
}

TEST(PrintNetwork, RefusalsPrintNothingAndChangeNothing)
{
    struct {
        const char* what;
        int32_t pageWidth, ratio;
        bool printers, resolution;
        std::string message;
    } cases[] = {
        {"margins over the paper", 55, 100, true, true, "页边距大于纸张"},
        {"ratio 0", 100000, 0, true, true, "打印比例必须大于0"},
        {"no printer", 100000, 100, false, true, "未安装打印机！"},
        {"no resolution", 100000, 100, true, false, "打印机安装不正确！"},
    };
    for (const auto& k : cases) {
        TFakeMessages msgs;
        TNetBuilder b = FramedPlan();
        b.net->displaySettings.printRatioX = k.ratio;
        b.net->modified = false;
        TFakePrinter p;
        p.page = {k.pageWidth, 100000};
        if (!k.printers) p.names.clear();
        p.resolutionKnown = k.resolution;
        EXPECT_FALSE(PrintNetwork(*b.net, p)) << k.what;
        EXPECT_FALSE(p.begun) << k.what;
        EXPECT_EQ(p.dialogMax, 0) << k.what;
        ASSERT_EQ(msgs.shown.size(), 1u) << k.what;
        EXPECT_NE(msgs.shown[0].text.find(k.message), std::string::npos) << k.what;
        EXPECT_EQ(msgs.shown[0].caption, "警告");
        EXPECT_FALSE(b.net->modified);
    }
}

TEST(PrintNetwork, ScreenPaletteAndLayoutBackAfterAFailureOrACancel)
{
    for (bool cancel : {false, true}) {
        TFakeMessages msgs;
        TNetBuilder b = FramedPlan();
        const int32_t ground = b.net->displaySettings.backgroundColor;
        const int32_t x = b.net->nodes.back()->x;
        TFakePrinter p;
        p.dx = p.dy = 600;
        p.page = {7000, 5000};
        p.failBegin = !cancel;
        p.printConfirms = !cancel;
        EXPECT_FALSE(PrintNetwork(*b.net, p));
        EXPECT_EQ(b.net->displaySettings.backgroundColor, ground);
        EXPECT_EQ(b.net->nodes.back()->x, x);
        EXPECT_EQ(msgs.Texts(), cancel ? std::vector<std::string>{}
                                       : std::vector<std::string>{"请检查安装打印机是否正确！"});
        EXPECT_EQ(p.aborted, !cancel);
    }
}

TEST(PrintNetwork, PrintRatioSteps)
{
    struct {
        int32_t x, y;
        bool shrinks;
    } cases[] = {{2, 100, false}, {100, 2, false}, {3, 100, true}};
    for (const auto& k : cases) {
        Tpertgra net;
        net.displaySettings.printRatioX = k.x;
        net.displaySettings.printRatioY = k.y;
        EXPECT_EQ(ShrinkPrint(net), k.shrinks);
        EXPECT_EQ(net.displaySettings.printRatioX, k.shrinks ? k.x - 2 : k.x);
        EXPECT_EQ(net.displaySettings.printRatioY, k.shrinks ? k.y - 2 : k.y);
    }
    Tpertgra net;
    EXPECT_TRUE(EnlargePrint(net));
    EXPECT_EQ(net.displaySettings.printRatioX, 102);
    EXPECT_EQ(net.displaySettings.printRatioY, 102);
}

TEST(PrintNetwork, SetupCarriesPaperBackWhenConfirmed)
{
    TFakeMessages msgs;
    for (bool confirm : {true, false}) {
        Tpertgra net;
        TFakePrinter p;
        p.setupConfirms = confirm;
        EXPECT_EQ(PrinterSetup(net, p), confirm);
        EXPECT_EQ(net.displaySettings.paperSize, confirm ? 8 : 9);
        EXPECT_EQ(net.displaySettings.orientation, confirm ? 0 : 1);
        EXPECT_EQ(net.modified, confirm);
    }
}

}
