// The parts of a project that the levels above the model give behaviour:
// created with their defaults, copied and compared where their records are
// complete.
#include <algorithm>
#include <iterator>
#include <memory>

#include "drawing/Biaozhu.h"
#include "drawing/Displace.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "model/Recsource.h"
#include "model/Structurecache.h"
#include "resources/Pertreslist.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

struct Tpertgra::Parts {
    TDisplaySettings displaySettings;
    TDisplaySettings screenPalette;
    TDisplaySettings printPalette;
    Tgantt liveGantt;
    Tgantt ganttPrintPreset;
    Tgantt ganttScreenPreset;
    Tfenzuarray groups;
    Tlistdurinterval_x timeScale;
    TTimeDataShowMode timeLabelMode;
    TPertResList resources;
    TPertTime_out restIntervals;
};

Tpertgra::Tpertgra()
    : parts_(std::make_unique<Parts>()),
      displaySettings(parts_->displaySettings),
      screenPalette(parts_->screenPalette),
      printPalette(parts_->printPalette),
      grid(std::make_unique<Tpertgrid>()),
      liveGantt(parts_->liveGantt),
      ganttPrintPreset(parts_->ganttPrintPreset),
      ganttScreenPreset(parts_->ganttScreenPreset),
      groups(parts_->groups),
      timeScale(parts_->timeScale),
      timeLabelMode(parts_->timeLabelMode),
      resources(parts_->resources),
      restIntervals(parts_->restIntervals),
      cache_(std::make_unique<StructureCache>())
{
    projectStart = TodayStamp();
    progressDate = projectStart;
    showStart = projectStart;
    showEnd = projectStart;
    InitDefaults();
}

Tpertgra::~Tpertgra() = default;

void Tpertgra::InitDefaults()
{
    displaySettings = TDisplaySettings::Defaults();
    screenPalette = TDisplaySettings::ScreenDefaults();
    printPalette = TDisplaySettings::PrintDefaults();
    ganttPrintPreset = Tgantt::PrintPreset();
    ganttScreenPreset = Tgantt::ScreenPreset();
}

void Tpertgra::CopySettingsFrom(const Tpertgra& s)
{
    title = s.title;
    fileName = s.fileName;
    hasFile = s.hasFile;
    modified = s.modified;
    titleFont = s.titleFont;
    titleGap = s.titleGap;
    showTitleAlways = s.showTitleAlways;
    projectStart = s.projectStart;
    displaySettings = s.displaySettings;
    screenPalette = s.screenPalette;
    printPalette = s.printPalette;
    grid = std::make_unique<Tpertgrid>(*s.grid);
    showFrame = s.showFrame;
    liveGantt = s.liveGantt;
    ganttPrintPreset = s.ganttPrintPreset;
    ganttScreenPreset = s.ganttScreenPreset;
    networkView = s.networkView;
    workFont = s.workFont;
    printTextColor = s.printTextColor;
    screenTextColor = s.screenTextColor;
    nodeFont = s.nodeFont;
    customResourceDays.clear();
    customResourceDays.reserve(s.customResourceDays.size());
    for (const auto& day : s.customResourceDays)
        customResourceDays.push_back(day ? day->CloneChain() : nullptr);
    resourceDiagramInNetwork = s.resourceDiagramInNetwork;
    resourceOnlyView = s.resourceOnlyView;
    shownResources = s.shownResources;
    showEndMark = s.showEndMark;
    networkKind = s.networkKind;
    groups = s.groups;
    showTimeLabels = s.showTimeLabels;
    std::copy(std::begin(s.colorPairs), std::end(s.colorPairs), std::begin(colorPairs));
    auxiliaryPenWidth = s.auxiliaryPenWidth;
    suspendedPenWidth = s.suspendedPenWidth;
    reservedInt = s.reservedInt;
    progressDate = s.progressDate;
    resourceDrawMode = s.resourceDrawMode;
    resourceScreenBrush = s.resourceScreenBrush;
    resourcePrintBrush = s.resourcePrintBrush;
    timeScale = s.timeScale;
    showProgressLine = s.showProgressLine;
    timeLabelMode = s.timeLabelMode;
    annotations.clear();
    for (const auto& a : s.annotations) annotations.push_back(std::make_unique<TBiaoZhu>(*a));
    restIntervals = s.restIntervals;
    printRightMargin = s.printRightMargin;
    printBottomMargin = s.printBottomMargin;
}

bool Tpertgra::IsSameAs(const Tpertgra& o) const
{
    if (title != o.title || fileName != o.fileName || !(titleFont == o.titleFont) ||
        titleGap != o.titleGap || showTitleAlways != o.showTitleAlways ||
        projectStart != o.projectStart || !(displaySettings == o.displaySettings) ||
        !(screenPalette == o.screenPalette) || !(printPalette == o.printPalette) ||
        !(*grid == *o.grid) || showFrame != o.showFrame || !(liveGantt == o.liveGantt) ||
        !(ganttPrintPreset == o.ganttPrintPreset) || !(ganttScreenPreset == o.ganttScreenPreset) ||
        networkView != o.networkView || !(workFont == o.workFont) ||
        printTextColor != o.printTextColor || screenTextColor != o.screenTextColor ||
        !(nodeFont == o.nodeFont))
        return false;
    if (customResourceDays.size() != o.customResourceDays.size()) return false;
    for (size_t i = 0; i < customResourceDays.size(); ++i)
        if (!SameChain(customResourceDays[i].get(), o.customResourceDays[i].get())) return false;
    if (resourceDiagramInNetwork != o.resourceDiagramInNetwork ||
        resourceOnlyView != o.resourceOnlyView || shownResources != o.shownResources)
        return false;
    if (nodes.size() != o.nodes.size()) return false;
    for (size_t i = 0; i < nodes.size(); ++i)
        if (!nodes[i]->SameAs(*o.nodes[i])) return false;
    if (showEndMark != o.showEndMark || networkKind != o.networkKind || !(groups == o.groups) ||
        showTimeLabels != o.showTimeLabels ||
        !std::equal(std::begin(colorPairs), std::end(colorPairs), std::begin(o.colorPairs)) ||
        auxiliaryPenWidth != o.auxiliaryPenWidth || suspendedPenWidth != o.suspendedPenWidth ||
        reservedInt != o.reservedInt || progressDate != o.progressDate ||
        resourceDrawMode != o.resourceDrawMode || !(resourceScreenBrush == o.resourceScreenBrush) ||
        !(resourcePrintBrush == o.resourcePrintBrush) || !(timeScale == o.timeScale) ||
        showProgressLine != o.showProgressLine || !(timeLabelMode == o.timeLabelMode))
        return false;
    if (annotations.size() != o.annotations.size()) return false;
    for (size_t i = 0; i < annotations.size(); ++i)
        if (!(*annotations[i] == *o.annotations[i])) return false;
    return restIntervals == o.restIntervals;
}
