#include "drawing/Displaycommands.h"

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "file/Oldlayout.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

namespace {

bool PrintPalette(const Tpertgra& net, int32_t kind)
{
    return IsPrintKind(kind) || !net.displaySettings.useScreenPalette;
}

}

void ResetDisplaySettings(Tpertgra& net)
{
    net.titleFont = TVqFont{"宋体", 24, 0xFF00FF};
    net.titleGap = 20;
    net.showTitleAlways = false;
    net.workFont = TVqFont{"宋体", 10, 0x00FFFF};
    net.nodeFont = TVqFont{"Arial", 7, 0x00FF00};
    net.auxiliaryPenWidth = 1;
    net.suspendedPenWidth = 1;
    net.printPalette = TDisplaySettings::PrintDefaults();
    net.screenPalette = TDisplaySettings::ScreenDefaults();
    net.displaySettings = TDisplaySettings::Defaults();
    net.timeScale.dayWidth = 10.0;
    net.timeScale.intervals.clear();
    *net.grid = Tpertgrid();
    net.resourceScreenBrush = TVqBrush{5, 0xFF0000};
    net.resourcePrintBrush = TVqBrush{5, 0x000000};
    net.ganttPrintPreset = Tgantt::PrintPreset();
    net.ganttScreenPreset = Tgantt::ScreenPreset();
    net.liveGantt.ResetToDefaults();
    net.modified = true;
}

void LoadPalette(Tpertgra& net, int32_t kind)
{
    const bool print = PrintPalette(net, kind);
    const TDisplaySettings& from = print ? net.printPalette : net.screenPalette;
    for (int i = 0; i < TDisplaySettings::kPaletteSize; ++i)
        net.displaySettings.SetPalette(i, from.Palette(i));
    if (IsPrintKind(kind)) net.displaySettings.backgroundColor = 0xFFFFFF;
    net.workFont.color = print ? net.printTextColor : net.screenTextColor;
    if (print) net.grid->ApplyPrintColors();
    else net.grid->ApplyScreenColors();
    net.liveGantt.LoadPalette(print ? net.ganttPrintPreset : net.ganttScreenPreset, print,
                              net.workFont.color);
}

int32_t NodeNumberColor(const Tpertgra& net, int32_t kind)
{
    if (kind == dkScreen && net.displaySettings.useScreenPalette)
        return net.screenPalette.nodeNumberColor;
    if (IsPrintKind(kind) || kind == dkScreen) return net.printPalette.nodeNumberColor;
    return 0x000000;
}

void ConvertOldSettings(Tpertgra& net, TPrtReader& file)
{
    ReadOldDisplaySettings(file, net);
}
