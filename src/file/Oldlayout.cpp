#include "file/Oldlayout.h"

#include <array>
#include <optional>

#include "drawing/Biaozhu.h"
#include "drawing/Brushrecord.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "file/Networkrecords.h"
#include "file/Prtstream.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "resources/Customstore.h"
#include "resources/Shownresources.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

namespace {

constexpr size_t kPlaceholderBytes = 4;

// The three (screen, print) colour pairs, stored pair by pair.
void ReadColorPairs(TPrtReader& r, Tpertgra& net)
{
    for (int i = 0; i < 3; ++i) {
        net.colorPairs[i] = r.ReadInt32();
        net.colorPairs[i + 3] = r.ReadInt32();
    }
}

// The settings of files older than 1.2 as the settings dialog's controls receive them.
struct TOldSettings {
    TVqFont nodeFont;
    TVqFont scaleFont;
    TVqFont nameFont;
    int32_t topFrame = 0;     // shown by the dialog, never applied
    int32_t rightFrame = 0;
    int32_t bottomFrame = 0;
    int32_t nameWidth = 0;
    int32_t printTop = 0;
    int32_t printLeft = 0;
    int32_t rulerHeight = 0;
    int32_t frameWidth = 0;
    TVqFont ganttTitleFont;
    TVqFont ganttWorkFont;
    int32_t ganttTop = 0;
    int32_t ganttLeft = 0;
    int32_t ganttRowsPerPage = 0;
    int32_t ganttRightDistance = 0;
    bool byProjectCalendar = false;
    bool topProjectMonth = false;
    bool topProjectWeek = false;
    bool topProjectDay = false;
    bool topYear = false;
    bool topMonth = false;
    bool topDay = false;
    bool noGridLines = false;
    // Grid lines by ruler row, in the order of the dialog's radio buttons.
    std::array<bool, 6> gridLines{};
    int32_t dayStep = 0;
    bool resourceInNetwork = false;
    bool resourceInGantt = false;
};

// Ruler rows of the grid-line radio buttons: project scale, project week,
// project month, calendar day, calendar month, calendar year.
constexpr size_t kGridLineRows[6] = {0, 4, 3, 7, 2, 1};
constexpr int32_t kDaySteps[] = {1, 2, 3, 4, 5, 6, 7, 10, 15};

TOldSettings ReadOldSettings(TPrtReader& r, const Tpertgra& net)
{
    TOldSettings s;
    // The dialog's controls start from the network's own values.
    s.nodeFont = net.nodeFont;
    s.scaleFont = net.grid->scales[0].scaleFont;
    s.nameFont = net.grid->scales[0].nameFont;
    s.ganttTitleFont = net.liveGantt.titleFont;
    s.ganttWorkFont = net.liveGantt.workFont;
    r.ReadFontBody(s.nodeFont);
    r.ReadFontBody(s.scaleFont);
    r.ReadFontBody(s.nameFont);
    s.topFrame = r.ReadInt32();
    s.rightFrame = r.ReadInt32();
    s.bottomFrame = r.ReadInt32();
    s.nameWidth = r.ReadInt32();
    s.printTop = r.ReadInt32();
    s.printLeft = r.ReadInt32();
    s.rulerHeight = r.ReadInt32();
    s.frameWidth = r.ReadInt32();
    r.ReadFontBody(s.ganttTitleFont);
    r.ReadFontBody(s.ganttWorkFont);
    TVqFont dropped;
    r.ReadFontBody(dropped);
    r.ReadFontBody(dropped);
    for (int i = 0; i < 6; ++i) s.ganttTop = r.ReadInt32();  // only the last counts
    s.ganttLeft = r.ReadInt32();
    s.ganttRowsPerPage = r.ReadInt32();
    for (int i = 0; i < 3; ++i) s.ganttRightDistance = r.ReadInt32();  // only the third counts
    for (bool* f : {&s.byProjectCalendar, &s.topProjectMonth, &s.topProjectWeek, &s.topProjectDay,
                    &s.topYear, &s.topMonth, &s.topDay, &s.noGridLines})
        *f = r.ReadByte();
    for (bool& f : s.gridLines) f = r.ReadByte();
    s.dayStep = r.ReadInt32();
    s.resourceInNetwork = r.ReadByte();
    s.resourceInGantt = r.ReadByte();
    return s;
}

void ApplyOldSettings(const TOldSettings& s, Tpertgra& net)
{
    net.nodeFont = s.nodeFont;
    Tpertgrid& g = *net.grid;
    for (Tprojectscale& row : g.scales) {
        row.scaleFont = s.scaleFont;
        row.nameFont = s.nameFont;
        row.nameWidth = s.nameWidth;
        row.height = s.rulerHeight;
    }
    net.groups.origin.y = s.printTop;
    net.groups.origin.x = s.printLeft;
    g.frameWidth = s.frameWidth;
    net.liveGantt.titleFont = s.ganttTitleFont;
    net.liveGantt.workFont = s.ganttWorkFont;
    net.liveGantt.topMargin = s.ganttTop;
    net.liveGantt.leftMargin = s.ganttLeft;
    net.liveGantt.rowsPerPage = s.ganttRowsPerPage;
    net.liveGantt.ruler.rightMargin = s.ganttRightDistance;
    g.byProjectCalendar = s.byProjectCalendar;
    g.topProjectMonth = s.topProjectMonth;
    g.topProjectWeek = s.topProjectWeek;
    g.topProjectDay = s.topProjectDay;
    g.topYear = s.topYear;
    g.topMonth = s.topMonth;
    g.topDay = s.topDay;
    // Radio buttons: the first one checked decides; "no grid lines" clears them all.
    for (Tprojectscale& row : g.scales) row.gridLines = false;
    if (!s.noGridLines)
        for (size_t i = 0; i < s.gridLines.size(); ++i)
            if (s.gridLines[i]) {
                g.scales[kGridLineRows[i]].gridLines = true;
                break;
            }
    for (int32_t step : kDaySteps)
        if (s.dayStep == step) g.dayStep = float(step);
    net.resourceDiagramInNetwork = s.resourceInNetwork;
    net.liveGantt.showResourceDiagram = s.resourceInGantt;
}

}  // namespace

int32_t StartOfStoredDay(int32_t stamp)
{
    const std::optional<int32_t> s = CheckedStamp(DayStartOfStamp(stamp));
    if (!s) throw TPrtFormatError("project start before the stored time range");
    return *s;
}

void ReadLayout2Body(TPrtReader& r, Tpertgra& net)
{
    net.title = r.ReadString();
    net.liveGantt.title = r.ReadString();
    net.fileName = r.ReadString();
    r.ReadFontRecord(net.titleFont);
    net.reservedColorA = r.ReadInt32();
    net.reservedColorB = r.ReadInt32();
    net.titleGap = r.ReadInt32();
    net.liveGantt.titleGap = r.ReadInt32();
    net.showTitleAlways = r.ReadByte();
    r.ReadInt32();
    net.projectStart = StartOfStoredDay(r.ReadInt32());
    net.displaySettings.Read(r);
    net.printPalette.Read(r);
    net.screenPalette.Read(r);
    net.showFrame = r.ReadByte();
    net.networkView = r.ReadByte();
    r.ReadFontRecord(net.workFont);
    net.printTextColor = r.ReadInt32();
    net.screenTextColor = r.ReadInt32();
    net.showEndMark = r.ReadByte();
    net.networkKind = r.ReadInt32();
    r.ReadFontRecord(net.nodeFont);
    net.grid->Read(r);
    ReadCustomStore(r, net.customResourceDays);
    ReadShownResources(r, net.shownResources);
    net.liveGantt.Read(r);
    net.ganttPrintPreset.Read(r);
    net.ganttScreenPreset.Read(r);
    net.groups.Read(r);
    net.showTimeLabels = r.ReadInt32();
    ReadColorPairs(r, net);
    net.auxiliaryPenWidth = r.ReadInt32();
    net.suspendedPenWidth = r.ReadInt32();
    net.reservedInt = r.ReadInt32();
    net.progressDate = r.ReadInt32();
    net.resourceDrawMode = r.ReadInt32();
    ReadBrushRecord(r, net.resourceScreenBrush);
    ReadBrushRecord(r, net.resourcePrintBrush);
    net.timeScale.Read(r);
    ReadRestDayList(r, net.restIntervals);
    net.showProgressLine = r.ReadByte();
    net.timeLabelMode.Read(r);
    ReadAnnotations(r, net.annotations);
    ReadNetworkSectionNoLead(r, net);
}

void ReadOldBody(TPrtReader& r, Tpertgra& net, double v)
{
    net.title = r.ReadString();
    net.liveGantt.title = r.ReadString();
    net.fileName = r.ReadString();
    r.ReadFontBody(net.titleFont);
    net.reservedColorA = net.titleFont.color;
    net.reservedColorB = net.titleFont.color;
    net.titleGap = r.ReadInt32();
    net.liveGantt.titleGap = r.ReadInt32();
    net.showTitleAlways = r.ReadByte();

    const int32_t placeholders = r.ReadCount(kPlaceholderBytes);
    size_t slots = 0;
    for (int32_t i = 0; i < placeholders; ++i)
        if (r.ReadPlaceholder()) ++slots;

    r.ReadInt32();
    net.projectStart = StartOfStoredDay(r.ReadInt32());
    r.ReadInt32();
    net.displaySettings.Read(r);
    net.displaySettings.RepairLegacyDayWidth();
    net.printPalette.Read(r);
    net.screenPalette.Read(r);

    net.showFrame = r.ReadByte();
    net.networkView = r.ReadByte();
    r.ReadFontBody(net.workFont);
    TVqFont textFont;
    r.ReadFontBody(textFont);
    net.printTextColor = textFont.color;
    r.ReadFontBody(textFont);
    net.screenTextColor = textFont.color;
    if (v >= 1.2) {
        net.showEndMark = r.ReadByte();
        net.networkKind = r.ReadInt32();
        r.ReadFontBody(net.nodeFont);
    }

    Tpertgrid& g = *net.grid;
    for (int32_t& c : g.screenColors) c = r.ReadInt32();
    if (v <= 1.529) g.explain.ReadOld(r, v);
    for (int32_t& c : g.printColors) c = r.ReadInt32();
    if (v <= 1.529) g.explain.ReadOld(r, v);
    if (v >= 1.2) g.ReadOld(r, v);

    ReadCustomStoreOld(r, net.customResourceDays);
    ReadShownResources(r, net.shownResources);
    if (v >= 1.1) {
        net.liveGantt.ReadOld(r, v);
        net.ganttPrintPreset.ReadOld(r, v);
        net.ganttScreenPreset.ReadOld(r, v);
    }
    if (v > 1.28) net.groups.ReadOld(r, v);
    if (v > 1.38) net.showTimeLabels = r.ReadInt32();
    if (v > 1.5) {
        ReadColorPairs(r, net);
        net.auxiliaryPenWidth = r.ReadInt32();
        net.suspendedPenWidth = r.ReadInt32();
        net.reservedInt = r.ReadInt32();
        net.progressDate = r.ReadInt32();
    }
    if (v > 1.519) {
        net.resourceDrawMode = r.ReadInt32();
        ReadBrushOld(r, net.resourceScreenBrush);
        ReadBrushOld(r, net.resourcePrintBrush);
        net.timeScale.ReadOld(r, v);
        ReadRestDayList(r, net.restIntervals);
        net.showProgressLine = r.ReadByte();
    }
    if (v > 1.529) net.timeLabelMode.ReadOld(r, v);
    if (v > 1.539) ReadAnnotationsOld(r, net.annotations, v);

    ReadOldNetwork(r, net, slots, v);
    if (v < 1.2) ReadOldDisplaySettings(r, net);
}

void ReadOldDisplaySettings(TPrtReader& r, Tpertgra& net)
{
    ApplyOldSettings(ReadOldSettings(r, net), net);
}
