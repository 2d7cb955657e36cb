#include "drawing/Displaycommands.h"

#include <gtest/gtest.h>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

namespace {

TEST(Palette, LoadedByPassKind)
{
    struct Case {
        const char* what;
        int32_t kind;
        bool useScreen;
        int32_t critical, general, background, workText, frame, nodeNumbers;
    };
    const Case cases[] = {
        {"screen", dkScreen, true, 0x0000FF, 0xFFFFFF, 0x000000, 0x00FFFF, 0xB4B400, 0x00FF00},
        {"drag feedback", dkDrag, true, 0x0000FF, 0xFFFFFF, 0x000000, 0x00FFFF, 0xB4B400, 0},
        {"printer: white ground", dkPrint, true, 0x0000FF, 0x000000, 0xFFFFFF, 0xFF0000, 0, 0x010203},
        {"preview", dkPreview, true, 0x0000FF, 0x000000, 0xFFFFFF, 0xFF0000, 0, 0x010203},
        {"screen without its palette", dkScreen, false, 0x0000FF, 0x000000, 0x445566, 0xFF0000, 0,
         0x010203},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tpertgra net;
        net.printPalette.backgroundColor = 0x445566;   // a print pass makes it white anyway
        net.printPalette.nodeNumberColor = 0x010203;
        net.displaySettings.useScreenPalette = c.useScreen;
        net.displaySettings.criticalPen = 7;           // not a palette slot
        LoadPalette(net, c.kind);
        const TDisplaySettings& d = net.displaySettings;
        EXPECT_EQ(d.criticalColor, c.critical);
        EXPECT_EQ(d.generalColor, c.general);
        EXPECT_EQ(d.backgroundColor, c.background);
        EXPECT_EQ(d.criticalPen, 7);
        EXPECT_EQ(net.workFont.color, c.workText);
        EXPECT_EQ(net.grid->frameColor, c.frame);
        EXPECT_EQ(net.grid->scales[3].lineColor, c.frame);
        EXPECT_EQ(NodeNumberColor(net, c.kind), c.nodeNumbers);
    }
}

TEST(Palette, ResetDisplaySettings)
{
    Tpertgra net;
    net.titleFont = {"黑体", 30, 1};
    net.titleGap = 5;
    net.showTitleAlways = true;
    net.workFont = {"Arial", 20, 2};
    net.nodeFont = {"宋体", 3, 3};
    net.auxiliaryPenWidth = net.suspendedPenWidth = 4;
    net.displaySettings.rowHeight = 70;
    net.screenPalette.criticalColor = 1;
    net.printPalette.generalColor = 2;
    net.timeScale.dayWidth = 3;
    net.timeScale.intervals = {{1, 2, 0}};
    net.grid->topYear = true;
    net.grid->scales[7].name = "旬";
    net.resourceScreenBrush = {0, 1};
    net.liveGantt.rowHeight = 40;
    net.liveGantt.title = "kept";
    ResetDisplaySettings(net);
    const Tpertgra fresh;
    EXPECT_EQ(net.titleFont, fresh.titleFont);
    EXPECT_EQ(net.titleFont.color, 0xFF00FF);
    EXPECT_EQ(net.titleGap, 20);
    EXPECT_FALSE(net.showTitleAlways);
    EXPECT_EQ(net.workFont, fresh.workFont);
    EXPECT_EQ(net.workFont.color, 0x00FFFF);
    EXPECT_EQ(net.nodeFont, fresh.nodeFont);
    EXPECT_EQ(net.auxiliaryPenWidth, 1);
    EXPECT_EQ(net.displaySettings, TDisplaySettings::Defaults());
    EXPECT_EQ(net.screenPalette, TDisplaySettings::ScreenDefaults());
    EXPECT_EQ(net.printPalette, TDisplaySettings::PrintDefaults());
    EXPECT_EQ(net.timeScale, Tlistdurinterval_x());
    EXPECT_EQ(*net.grid, Tpertgrid());
    EXPECT_EQ(net.resourceScreenBrush, (TVqBrush{5, 0xFF0000}));
    EXPECT_EQ(net.resourcePrintBrush, (TVqBrush{5, 0x000000}));
    EXPECT_EQ(net.liveGantt.rowHeight, 25);
    EXPECT_EQ(net.liveGantt.title, "kept");
    EXPECT_TRUE(net.modified);
}

}
