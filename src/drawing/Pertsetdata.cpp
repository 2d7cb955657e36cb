#include "drawing/Pertsetdata.h"

#include <algorithm>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

const char* const Tpertsetdata::kPaperNames[kPaperCount] = {
    "Letter", "LetterSmall", "Tabloid", "Ledger",  "Legal",   "Statement", "Executive",
    "A3",     "A4",          "A4Small", "A5",      "B4",      "B5",        "Folio",
    "Quarto", "qr10X14",     "qr11X17", "Note",    "Env9",    "Env10",     "Env11",
    "Env12",  "Env14",       "CSheet",  "DSheet",  "ESheet",  "Custom"};

namespace {

// Fonts are taken whole, colour and style included.
bool SameFont(const TVqFont& a, const TVqFont& b)
{
    return a.name == b.name && a.size == b.size && a.color == b.color && a.style == b.style &&
           a.charset == b.charset;
}

Tpertsetdata::TColors ColorsOf(const Tpertgra& net, bool print)
{
    const Tpertgrid& g = *net.grid;
    const auto& set = print ? g.printColors : g.screenColors;
    const TDisplaySettings& p = print ? net.printPalette : net.screenPalette;
    Tpertsetdata::TColors c;
    c.frame = set[0];
    c.timeScale = set[2];
    c.tick = set[3];
    c.grid = set[4];
    c.critical = p.criticalColor;
    c.general = p.generalColor;
    c.floatLine = p.floatColor;
    c.nodeNumber = p.nodeNumberColor;
    c.auxiliary = net.colorPairs[print ? 1 : 0];
    c.suspended = net.colorPairs[print ? 3 : 2];
    c.workName = print ? net.printTextColor : net.screenTextColor;
    return c;
}

void StoreColors(Tpertgra& net, const Tpertsetdata::TColors& c, bool print)
{
    Tpertgrid& g = *net.grid;
    auto& set = print ? g.printColors : g.screenColors;
    TDisplaySettings& p = print ? net.printPalette : net.screenPalette;
    set[0] = c.frame;
    set[1] = c.timeScale;
    set[2] = c.timeScale;
    set[3] = c.tick;
    set[4] = c.grid;
    p.criticalColor = c.critical;
    p.generalColor = c.general;
    p.floatColor = c.floatLine;
    p.nodeNumberColor = c.nodeNumber;
    net.colorPairs[print ? 1 : 0] = c.auxiliary;
    net.colorPairs[print ? 3 : 2] = c.suspended;
    (print ? net.printTextColor : net.screenTextColor) = c.workName;
}

}  // namespace

void Tpertsetdata::Load(const Tpertgra& net)
{
    const TDisplaySettings& d = net.displaySettings;
    const Tpertgrid& g = *net.grid;
    nodeRadiusX = d.nodeRadiusX;
    nodeRadiusY = d.nodeRadiusY;
    groupColumnWidth = static_cast<int32_t>(net.groups.groupColumnWidth);
    leftFrame = g.scales[0].nameWidth;
    topFrame = g.topMargin;
    bottomFrame = g.bottomMargin;
    rightFrame = g.rightMargin;
    showDurations = d.showDurations != 0;
    showEndMark = net.showEndMark;
    showingPrint = false;
    screen = ColorsOf(net, false);
    print = ColorsOf(net, true);
    background = net.screenPalette.backgroundColor;
    frameWidth = g.frameWidth;
    criticalPen = d.criticalPen;
    generalPen = d.generalPen;
    floatPen = d.floatPen;
    tickWidth = g.scales[0].tickWidth;
    gridWidth = g.scales[0].gridWidth;
    nodeNumberSize = d.nodeNumberSize;
    auxiliaryPen = net.auxiliaryPenWidth;
    suspendedPen = net.suspendedPenWidth;

    title = net.title;
    titleGap = net.titleGap;
    showTitleAlways = net.showTitleAlways;
    titleFont = net.titleFont;
    workFont = net.workFont;
    nodeFont = net.nodeFont;
    rulerNameFont = g.scales[0].nameFont;
    rulerScaleFont = g.scales[0].scaleFont;

    dayStepIndex = 0;
    for (size_t i = 0; i < kDaySteps.size(); ++i)
        if (float(kDaySteps[i]) == g.dayStep) dayStepIndex = int32_t(i);
    rulerHeight = g.scales[0].height;
    byProjectCalendar = g.byProjectCalendar;
    topRows = {g.topProjectMonth, g.topProjectWeek, g.topProjectDay, g.topDay,
               g.topWeekday,      g.topMonth,       g.topYear};
    bottomRows = {g.bottomProjectMonth, g.bottomProjectWeek, g.bottomProjectDay, g.bottomDay,
                  g.bottomWeekday,      g.bottomMonth,       g.bottomYear};
    gridChoice = int32_t(kGridRows.size()) - 1;
    for (size_t i = 0; i + 1 < kGridRows.size(); ++i) {
        if (g.scales[size_t(kGridRows[i])].gridLines) {
            gridChoice = int32_t(i);
            break;
        }
    }
    projectStart = net.projectStart;

    paperSize = d.paperSize;
    orientation = d.orientation;
    marginTop = static_cast<int32_t>(net.groups.origin.y);
    marginLeft = static_cast<int32_t>(net.groups.origin.x);
    explain = net.grid->explain;
    marginBottom = static_cast<int32_t>(net.printBottomMargin);
    marginRight = static_cast<int32_t>(net.printRightMargin);
    printRatioX = d.printRatioX;
    printRatioY = d.printRatioY;
    equalRatios = d.equalRatios != 0;

    const Tgantt& c = net.liveGantt;
    gantt.title = c.title;
    gantt.titleGap = c.titleGap;
    gantt.titleFont = c.titleFont;
    gantt.workFont = c.workFont;
    gantt.rowsPerPage = c.rowsPerPage;
    gantt.rightDistance = c.ruler.rightMargin;
    gantt.criticalBarHeight = c.criticalBarHeight;
    gantt.normalBarHeight = c.normalBarHeight;
    gantt.topMargin = c.topMargin;
    gantt.leftMargin = c.leftMargin;
    gantt.bottomMargin = static_cast<int32_t>(c.margins.bottomMargin);
    gantt.rightMargin = static_cast<int32_t>(c.margins.rightMargin);
    gantt.showResourceDiagram = c.showResourceDiagram;
    gantt.columns = c.columns;
    gantt.resourceIds = c.resourceColumnIds;
    gantt.resourceModes = c.resourceColumnModes;
    gantt.resourceWidth = c.resourceColumnWidth;
    resources.Load(net);
}

bool Tpertsetdata::Apply(Tpertgra& net) const
{
    Tpertsetdata before;
    before.Load(net);

    TDisplaySettings& d = net.displaySettings;
    Tpertgrid& g = *net.grid;
    d.nodeRadiusX = nodeRadiusX;
    d.nodeRadiusY = nodeRadiusY;
    net.groups.groupColumnWidth = std::max(0, groupColumnWidth);
    g.topMargin = topFrame;
    g.bottomMargin = bottomFrame;
    g.rightMargin = rightFrame;
    d.showDurations = showDurations ? 1 : 0;
    net.showEndMark = showEndMark;
    StoreColors(net, screen, false);
    StoreColors(net, print, true);
    net.screenPalette.backgroundColor = background;
    g.frameWidth = frameWidth;
    d.criticalPen = criticalPen;
    d.generalPen = generalPen;
    d.floatPen = floatPen;
    d.nodeNumberSize = nodeNumberSize;
    net.auxiliaryPenWidth = auxiliaryPen;
    net.suspendedPenWidth = suspendedPen;
    for (Tprojectscale& s : g.scales) {
        s.nameWidth = leftFrame;
        s.tickWidth = tickWidth;
        s.gridWidth = gridWidth;
        s.height = rulerHeight;
        s.nameFont = rulerNameFont;
        s.scaleFont = rulerScaleFont;
        s.gridLines = false;
    }
    if (gridChoice >= 0 && gridChoice < int32_t(kGridRows.size()) && kGridRows[size_t(gridChoice)] >= 0)
        g.scales[size_t(kGridRows[size_t(gridChoice)])].gridLines = true;

    net.title = title;
    net.titleGap = titleGap;
    net.showTitleAlways = showTitleAlways;
    net.titleFont = titleFont;
    net.workFont = workFont;
    net.nodeFont = nodeFont;

    if (dayStepIndex >= 0 && dayStepIndex < int32_t(kDaySteps.size()))
        g.dayStep = float(kDaySteps[size_t(dayStepIndex)]);
    g.byProjectCalendar = byProjectCalendar;
    g.topProjectMonth = topRows[0];
    g.topProjectWeek = topRows[1];
    g.topProjectDay = topRows[2];
    g.topDay = topRows[3];
    g.topWeekday = topRows[4];
    g.topMonth = topRows[5];
    g.topYear = topRows[6];
    g.bottomProjectMonth = bottomRows[0];
    g.bottomProjectWeek = bottomRows[1];
    g.bottomProjectDay = bottomRows[2];
    g.bottomDay = bottomRows[3];
    g.bottomWeekday = bottomRows[4];
    g.bottomMonth = bottomRows[5];
    g.bottomYear = bottomRows[6];
    net.projectStart = projectStart;

    d.paperSize = paperSize;
    d.orientation = orientation;
    net.groups.origin.y = marginTop;
    net.groups.origin.x = marginLeft;
    net.grid->explain = explain;
    net.liveGantt.ruler.explain = explain;
    // An unchanged field keeps a fraction the margin may have.
    if (marginBottom != before.marginBottom) net.printBottomMargin = std::max(0, marginBottom);
    if (marginRight != before.marginRight) net.printRightMargin = std::max(0, marginRight);
    d.printRatioX = printRatioX;
    d.printRatioY = equalRatios ? printRatioX : printRatioY;
    d.equalRatios = equalRatios ? 1 : 0;

    Tgantt& c = net.liveGantt;
    c.title = gantt.title;
    c.titleGap = gantt.titleGap;
    c.titleFont = gantt.titleFont;
    c.workFont = gantt.workFont;
    // The paging divides by the page size.
    c.rowsPerPage = std::max(1, gantt.rowsPerPage);
    c.ruler.rightMargin = gantt.rightDistance;
    c.criticalBarHeight = std::max(0, gantt.criticalBarHeight);
    c.normalBarHeight = std::max(0, gantt.normalBarHeight);
    c.topMargin = gantt.topMargin;
    c.leftMargin = gantt.leftMargin;
    c.margins.bottomMargin = gantt.bottomMargin;
    c.margins.rightMargin = gantt.rightMargin;
    c.showResourceDiagram = gantt.showResourceDiagram;
    c.columns = gantt.columns;
    c.resourceColumnIds = gantt.resourceIds;
    c.resourceColumnModes = gantt.resourceModes;
    c.resourceColumnModes.resize(c.resourceColumnIds.size(), 0);
    c.resourceColumnWidth = std::max(0, gantt.resourceWidth);
    resources.Apply(net);

    Tpertsetdata after;
    after.Load(net);
    const bool changed = !(after == before) || !SameFont(after.titleFont, before.titleFont) ||
                         !SameFont(after.workFont, before.workFont) ||
                         !SameFont(after.nodeFont, before.nodeFont) ||
                         !SameFont(after.rulerNameFont, before.rulerNameFont) ||
                         !SameFont(after.rulerScaleFont, before.rulerScaleFont) ||
                         !SameFont(after.gantt.titleFont, before.gantt.titleFont) ||
                         !SameFont(after.gantt.workFont, before.gantt.workFont);
    if (changed) net.modified = true;
    return changed;
}

double Tpertsetdata::TotalDays(const Tpertgra& net)
{
    return ProjectEndDay(net);
}

bool Tpertsetdata::IsIntegerText(std::string_view text)
{
    return ::IsIntegerText(text);
}

std::vector<std::string> Tpertsetdata::GridColumn(const std::vector<std::string>& cells)
{
    std::vector<std::string> out;
    for (const std::string& c : cells) {
        const size_t a = c.find_first_not_of(" \t");
        if (a == std::string::npos) continue;
        const size_t b = c.find_last_not_of(" \t");
        out.push_back(c.substr(a, b - a + 1));
    }
    return out;
}
