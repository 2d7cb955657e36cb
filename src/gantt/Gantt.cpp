#include "gantt/Gantt.h"

#include <algorithm>
#include <cmath>

#include "drawing/Fixedlist.h"
#include "file/Prtstream.h"

namespace {
// The shortest column record is its version alone (any version but 0).
constexpr size_t kMinColumnBytes = 4;

bool Near(double a, double b, double eps) { return std::fabs(a - b) < eps; }

void ReadRealColumn(TPrtReader& r, Tgantt::TOldRealColumn& c)
{
    c.caption = r.ReadString();
    c.width = r.ReadDouble();
    c.align = r.ReadInt32();
}

void ReadIntColumnLayout(TPrtReader& r, Tgantt::TOldColumn& c)
{
    c.align = r.ReadInt32();
    c.width = r.ReadInt32();
}

// A page below 1 would index before the start of the row list.
int32_t ValidPage(int32_t p) { return std::max<int32_t>(p, 1); }
}

Tgantt::Tgantt(const Tgantt& o) : margins(o.margins), columns(o.columns)
{
    Assign(o);
}

Tgantt& Tgantt::operator=(const Tgantt& o)
{
    if (this != &o) {
        Assign(o);
        margins = o.margins;
        columns = o.columns;
    }
    currentWork = nullptr;
    return *this;
}

std::vector<TGanttShowData> Tgantt::DefaultColumns()
{
    return {
        {0, "序号", 30, 1, false},         {1, "分组名", 80, 1, false},
        {2, "编号", 30, 1, true},          {3, "工作名称", 160, 1, true},
        {4, "工程量", 60, 1, false},       {5, "持续时间", 60, 1, true},
        {6, "开始时间", 80, 1, false},     {7, "结束时间", 80, 1, false},
        {8, "最早开始时间", 80, 1, false}, {9, "最迟开始时间", 80, 1, false},
        {10, "最早结束时间", 80, 1, false}, {11, "最迟结束时间", 80, 1, false},
        {12, "总时差", 80, 1, false},      {13, "自由时差", 80, 1, false},
    };
}

void Tgantt::ApplyPresetCommon()
{
    const Tgantt d;
    oldNumberColumn = d.oldNumberColumn;
    oldNameColumn = d.oldNameColumn;
    oldDurationColumn = d.oldDurationColumn;
    rowHeight = 25;
    barStyle = "条形";
    spareColor1 = 0x808000;
    spareColor2 = 0x0000FF;
    lineWidth = 1;
    leftMargin = 50;
    topMargin = 100;
    oldIndexColumn.width = 0;
    oldGroupColumn.width = 0;
}

void Tgantt::ApplyPrintPreset()
{
    ApplyPresetCommon();
    spareColor3 = 0x000000;
    criticalBarHeight = 10;
    normalBarHeight = 10;
    workFont.color = 0xFF0000;
}

void Tgantt::ApplyScreenPreset()
{
    ApplyPresetCommon();
    spareColor3 = 0xFFFFFF;
    criticalBarHeight = 10;
    normalBarHeight = 10;
    workFont.color = 0x00FFFF;
}

Tgantt Tgantt::PrintPreset()
{
    Tgantt g;
    g.ApplyPrintPreset();
    return g;
}

Tgantt Tgantt::ScreenPreset()
{
    Tgantt g;
    g.ApplyScreenPreset();
    return g;
}

void Tgantt::Assign(const Tgantt& o)
{
    if (this == &o) return;
    page = o.page;
    oldNumberColumn = o.oldNumberColumn;
    oldNameColumn = o.oldNameColumn;
    oldDurationColumn = o.oldDurationColumn;
    oldIndexColumn = o.oldIndexColumn;
    oldGroupColumn = o.oldGroupColumn;
    oldStartColumn = o.oldStartColumn;
    oldFinishColumn = o.oldFinishColumn;
    oldQuantityColumn = o.oldQuantityColumn;
    spareReal = o.spareReal;
    showLinks = o.showLinks;
    title = o.title;
    titleFont = o.titleFont;
    titleGap = o.titleGap;
    rowsPerPage = o.rowsPerPage;
    workFont = o.workFont;
    rowHeight = o.rowHeight;
    spareColor1 = o.spareColor1;
    lineWidth = o.lineWidth;
    barStyle = o.barStyle;
    spareColor2 = o.spareColor2;
    spareColor3 = o.spareColor3;
    criticalBarHeight = o.criticalBarHeight;
    normalBarHeight = o.normalBarHeight;
    leftMargin = o.leftMargin;
    topMargin = o.topMargin;
    showResourceDiagram = o.showResourceDiagram;
    resourceColumnIds = o.resourceColumnIds;
    resourceColumnModes = o.resourceColumnModes;
    resourceColumnWidth = o.resourceColumnWidth;
    spareInt = o.spareInt;
    scaleIntervals = o.scaleIntervals;
    ruler = o.ruler;
}

bool Tgantt::Equals(const Tgantt& o) const
{
    auto sameReal = [](const TOldRealColumn& a, const TOldRealColumn& b, double eps) {
        const bool width = eps == 0 ? a.width == b.width : Near(a.width, b.width, eps);
        return width && a.caption == b.caption && a.align == b.align;
    };
    return page == o.page && oldNumberColumn == o.oldNumberColumn &&
           oldNameColumn == o.oldNameColumn && oldDurationColumn == o.oldDurationColumn &&
           sameReal(oldIndexColumn, o.oldIndexColumn, 1e-8) &&
           sameReal(oldGroupColumn, o.oldGroupColumn, 1e-8) &&
           sameReal(oldStartColumn, o.oldStartColumn, 1e-10) &&
           sameReal(oldFinishColumn, o.oldFinishColumn, 1e-10) &&
           sameReal(oldQuantityColumn, o.oldQuantityColumn, 0) && spareReal == o.spareReal &&
           showLinks == o.showLinks && title == o.title && titleFont == o.titleFont &&
           titleGap == o.titleGap && rowsPerPage == o.rowsPerPage && workFont == o.workFont &&
           rowHeight == o.rowHeight && spareColor1 == o.spareColor1 &&
           lineWidth == o.lineWidth && barStyle == o.barStyle && spareColor2 == o.spareColor2 &&
           spareColor3 == o.spareColor3 && criticalBarHeight == o.criticalBarHeight &&
           normalBarHeight == o.normalBarHeight && leftMargin == o.leftMargin &&
           topMargin == o.topMargin && showResourceDiagram == o.showResourceDiagram &&
           resourceColumnIds == o.resourceColumnIds &&
           resourceColumnModes == o.resourceColumnModes &&
           resourceColumnWidth == o.resourceColumnWidth && spareInt == o.spareInt &&
           scaleIntervals == o.scaleIntervals && ruler == o.ruler;
}

void Tgantt::Write(TPrtWriter& w) const
{
    w.WriteInt32(4);
    w.WriteInt32List({titleGap, rowsPerPage, rowHeight, lineWidth, criticalBarHeight,
                      normalBarHeight, leftMargin, topMargin, resourceColumnWidth, spareInt});
    w.WriteInt32List({spareColor1, spareColor2, spareColor3});
    w.WriteBoolList({showResourceDiagram});
    w.WriteStringList({title, barStyle});
    w.WriteFontRecord(titleFont);
    w.WriteFontRecord(workFont);
    w.WriteStringList(resourceColumnIds);
    w.WriteInt32List(resourceColumnModes);
    w.WriteInt32(static_cast<int32_t>(columns.size()));
    for (const TGanttShowData& c : columns) c.Write(w);
    scaleIntervals.Write(w);
    ruler.Write(w);
}

void Tgantt::Read(TPrtReader& r)
{
    int32_t version = r.ReadInt32();
    if (version < 2) return;
    if (version < 4) {
        ReadVersion2Or3(r, version);
        return;
    }
    AssignByPosition(r.ReadInt32List(),
                     {&titleGap, &rowsPerPage, &rowHeight, &lineWidth, &criticalBarHeight,
                      &normalBarHeight, &leftMargin, &topMargin, &resourceColumnWidth, &spareInt});
    AssignByPosition(r.ReadInt32List(), {&spareColor1, &spareColor2, &spareColor3});
    AssignByPosition(r.ReadBoolList(), {&showResourceDiagram});
    AssignByPosition(r.ReadStringList(), {&title, &barStyle});
    r.ReadFontRecord(titleFont);
    r.ReadFontRecord(workFont);
    resourceColumnIds = r.ReadStringList();
    resourceColumnModes = r.ReadInt32List();
    columns.clear();
    int32_t n = r.ReadCount(kMinColumnBytes);
    for (int32_t i = 0; i < n; ++i) {
        TGanttShowData c;
        if (!c.Read(r)) c = TGanttShowData();
        columns.push_back(std::move(c));
    }
    scaleIntervals.Read(r);
    ruler.Read(r);
}

void Tgantt::ReadResourceColumns(TPrtReader& r)
{
    int32_t n = r.ReadCount(4);
    resourceColumnIds.clear();
    for (int32_t i = 0; i < n; ++i) resourceColumnIds.push_back(r.ReadString());
    r.ReadInt32();  // the mode list's own count; the id count rules
    resourceColumnModes.clear();
    for (int32_t i = 0; i < n; ++i) resourceColumnModes.push_back(r.ReadInt32());
}

void Tgantt::ReadVersion2Or3(TPrtReader& r, int32_t version)
{
    ReadIntColumnLayout(r, oldNumberColumn);
    ReadIntColumnLayout(r, oldNameColumn);
    ReadIntColumnLayout(r, oldDurationColumn);
    r.ReadFontRecord(workFont);
    rowHeight = r.ReadInt32();
    spareColor1 = r.ReadInt32();
    lineWidth = r.ReadInt32();
    barStyle = r.ReadString();
    for (int32_t* v : {&spareColor2, &spareColor3, &criticalBarHeight, &normalBarHeight,
                       &leftMargin, &topMargin})
        *v = r.ReadInt32();
    ruler.Read(r);
    ReadResourceColumns(r);
    resourceColumnWidth = r.ReadInt32();
    spareInt = r.ReadInt32();
    showLinks = r.ReadInt32();
    showResourceDiagram = r.ReadByte();
    r.ReadFontRecord(titleFont);
    oldNumberColumn.caption = r.ReadString();
    page = ValidPage(r.ReadInt32());
    rowsPerPage = r.ReadInt32();
    oldDurationColumn.caption = r.ReadString();
    oldNameColumn.caption = r.ReadString();
    spareReal = r.ReadDouble();
    for (TOldRealColumn* c : {&oldQuantityColumn, &oldIndexColumn, &oldGroupColumn,
                              &oldStartColumn, &oldFinishColumn})
        ReadRealColumn(r, *c);
    scaleIntervals.Read(r);
    if (version == 3) title = r.ReadString();
}

void Tgantt::ReadOld(TPrtReader& r, double version)
{
    ReadIntColumnLayout(r, oldNumberColumn);
    ReadIntColumnLayout(r, oldNameColumn);
    ReadIntColumnLayout(r, oldDurationColumn);
    r.ReadFontBody(workFont);
    rowHeight = r.ReadInt32();
    spareColor1 = r.ReadInt32();
    lineWidth = r.ReadInt32();
    barStyle = r.ReadString();
    for (int32_t* v : {&spareColor2, &spareColor3, &criticalBarHeight, &normalBarHeight,
                       &leftMargin, &topMargin})
        *v = r.ReadInt32();
    ruler.ReadOld(r, version);
    ReadResourceColumns(r);
    resourceColumnWidth = r.ReadInt32();
    if (version >= 1.2) {
        spareInt = r.ReadInt32();
        showLinks = r.ReadInt32();
        showResourceDiagram = r.ReadByte();
        r.ReadFontBody(titleFont);
        oldNumberColumn.caption = r.ReadString();
        page = ValidPage(r.ReadInt32());
        rowsPerPage = r.ReadInt32();
        oldDurationColumn.caption = r.ReadString();
        oldNameColumn.caption = r.ReadString();
    }
    if (version > 1.28) {
        spareReal = r.ReadDouble();
        for (TOldRealColumn* c : {&oldQuantityColumn, &oldIndexColumn, &oldGroupColumn})
            ReadRealColumn(r, *c);
    }
    if (version > 1.519) {
        ReadRealColumn(r, oldStartColumn);
        ReadRealColumn(r, oldFinishColumn);
        scaleIntervals.ReadOld(r, version);
    }
}
