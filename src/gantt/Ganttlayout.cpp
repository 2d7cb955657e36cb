#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_map>

#include "drawing/Canvasops.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "resources/Resourcecatalogue.h"
#include "resources/Resourcelines.h"
#include "schedule/Calendar.h"

namespace {

constexpr double kSameTime = 1e-8;

std::string IntText(int32_t v)
{
    return std::to_string(v);
}

}  // namespace

int32_t TruncToDevice(double v)
{
    if (!(v == v)) return 0;
    constexpr double lo = double(std::numeric_limits<int32_t>::min());
    constexpr double hi = double(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}

double BarStartDay(const Tpertgra& net, const Tedge& w)
{
    return CalendarDay(net, w.data->start);
}

double BarFinishDay(const Tpertgra& net, const Tedge& w)
{
    return CalendarDayOfFinish(net, double(w.data->start) + w.data->duration);
}

double Tgantt::TableWidth() const
{
    double w = double(resourceColumnWidth) * double(resourceColumnIds.size());
    for (const TGanttShowData& c : columns)
        if (c.visible) w += c.width;
    return w;
}

double Tgantt::ChartLeft() const
{
    return TableWidth() + leftMargin;
}

double Tgantt::TimeToX(double day) const
{
    return ChartLeft() + scaleIntervals.XOfDay(day);
}

double Tgantt::RowsTop(const Tpertgra&) const
{
    return double(topMargin) + ruler.TopRowsHeight();
}

double Tgantt::ChartBottom(const Tpertgra& net) const
{
    return RowsTop(net) + double(rowHeight) * double(pageWorks.size());
}

double Tgantt::DiagramRoom(const Tpertgra& net) const
{
    if (!showResourceDiagram) return 0;
    return double(net.shownResources.size()) * std::max(0, net.displaySettings.resourceHeight);
}

int32_t Tgantt::ChartRight(const Tpertgra& net, double sx) const
{
    return TruncToDevice(TimeToX(ProjectEndDay(net)) * sx + sx * ruler.rightMargin +
                         sx * ruler.ExplainWidth());
}

double Tgantt::RowCellsLeft() const
{
    return leftMargin + oldIndexColumn.width + oldGroupColumn.width;
}

double Tgantt::FrameBottom(const Tpertgra& net) const
{
    return ChartBottom(net) + DiagramRoom(net) + ruler.BottomRowsHeight() + ruler.ExplainHeight();
}

TCanvasSize Tgantt::DrawingSize(const Tpertgra& net) const
{
    const double bottom = FrameBottom(net);
    const double right = ChartRight(net) + margins.rightMargin;
    return {TruncToDevice(right + leftMargin), TruncToDevice(bottom + leftMargin)};
}

namespace {

// The listed works ordered by number when every number is its own: then the
// order of AllWorks, which only breaks ties, does not matter. Empty when two
// works share a number or the numbers spread too wide to bucket.
std::vector<Tedge*> ByDistinctNumbers(const std::vector<Tedge*>& listed)
{
    if (listed.empty()) return {};
    int64_t lo = listed[0]->data->workNo, hi = lo;
    for (const Tedge* w : listed) {
        lo = std::min<int64_t>(lo, w->data->workNo);
        hi = std::max<int64_t>(hi, w->data->workNo);
    }
    if (hi - lo >= 4 * int64_t(listed.size()) + 16) return {};
    std::vector<Tedge*> slot(size_t(hi - lo) + 1, nullptr);
    for (Tedge* w : listed) {
        Tedge*& s = slot[size_t(w->data->workNo - lo)];
        if (s) return {};
        s = w;
    }
    std::vector<Tedge*> rows;
    rows.reserve(listed.size());
    for (Tedge* w : slot)
        if (w) rows.push_back(w);
    return rows;
}

}  // namespace

std::vector<Tedge*> Tgantt::GanttRowList(Tpertgra& net) const
{
    std::vector<Tedge*> listed;
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (Tgantt::HasRow(*w)) listed.push_back(w);
    std::vector<Tedge*> rows = ByDistinctNumbers(listed);
    if (rows.empty() && !listed.empty()) {
        // Shared numbers keep their order of AllWorks (by start, critical first).
        rows = net.AllWorks();
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [](const Tedge* w) { return !Tgantt::HasRow(*w); }),
                   rows.end());
        std::stable_sort(rows.begin(), rows.end(), [](const Tedge* a, const Tedge* b) {
            return a->data->workNo < b->data->workNo;
        });
    }
    bool renumbered = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int32_t no = int32_t(i + 1);
        if (rows[i]->data->workNo != no) {
            rows[i]->data->workNo = no;
            renumbered = true;
        }
    }
    if (renumbered) net.InvalidateWorkNumbers();
    return rows;
}

std::vector<Tedge*> Tgantt::PagedList(Tpertgra& net) const
{
    std::vector<Tedge*> rows = GanttRowList(net);
    if (net.showStart < net.showEnd) {
        const double from = DayOfStamp(net, net.showStart);
        const double to = DayOfStamp(net, net.showEnd);
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](const Tedge* w) {
                                      const double s = std::max(from, BarStartDay(net, *w));
                                      const double f = std::min(to, BarFinishDay(net, *w));
                                      return !(f - s > kSameTime);
                                  }),
                   rows.end());
    }
    return rows;
}

void Tgantt::LayoutGantt(Tpertgra& net, const TPertDrawMode& mode)
{
    std::vector<Tedge*> rows = PagedList(net);
    // The current work is only ever a listed work; one that is gone or no
    // longer listed is forgotten.
    if (currentWork && std::find(rows.begin(), rows.end(), currentWork) == rows.end()) {
        const std::vector<Tedge*> all = GanttRowList(net);
        if (std::find(all.begin(), all.end(), currentWork) == all.end()) currentWork = nullptr;
    }
    page = std::max(page, 1);
    if (rows.empty()) {
        pageWorks.clear();
    } else {
        const int64_t per = RowsPerPage();
        const int64_t n = int64_t(rows.size());
        const int64_t pages = (n + per - 1) / per;
        // A page past the end (works deleted, a smaller page size) shows the
        // last page instead of an empty one.
        page = int32_t(std::clamp<int64_t>(page, 1, pages));
        if (n > per) {
            const int64_t from = (int64_t(page) - 1) * per;
            const int64_t to = std::min<int64_t>(n, int64_t(page) * per);
            pageWorks.assign(rows.begin() + from, rows.begin() + to);
        } else {
            pageWorks = std::move(rows);
        }
    }
    BuildCells(net, mode);
}

void Tgantt::BuildCells(Tpertgra& net, const TPertDrawMode& mode)
{
    ICanvas* canvas = mode.canvas;
    const double sx = mode.xFactor;
    const double rowsTop = RowsTop(net);
    const int32_t tableColor = ruler.scales[0].lineColor;
    auto finish = [&](TGanttCell& c) {
        c.font = workFont;
        c.lineWidth = lineWidth;
        c.lineColor = tableColor;
    };
    auto wrap = [&](TGanttCell& c, const std::string& text, double width, int32_t m) {
        c.text = text;
        c.wrapWidth = width;
        c.wrapMode = m;
        c.lines = WrapText(canvas, text, width, m);
    };
    if (canvas) canvas->Save();
    if (canvas) SelectFont(*canvas, workFont);

    groupCells.clear();
    for (size_t r = 0; r < pageWorks.size();) {
        size_t k = 1;
        const int32_t g = pageWorks[r]->data->groupNo;
        while (r + k < pageWorks.size() && pageWorks[r + k]->data->groupNo == g) ++k;
        const double y = rowsTop + double(r) * rowHeight;
        TGanttCell no;
        no.origin = {double(leftMargin), y};
        no.width = oldIndexColumn.width;
        no.height = double(k) * rowHeight;
        no.align = oldIndexColumn.align;
        finish(no);
        wrap(no, IntText(g), no.width, 0);
        TGanttCell name = no;
        name.origin.x = leftMargin + oldIndexColumn.width;
        name.width = oldGroupColumn.width;
        name.align = oldGroupColumn.align;
        wrap(name, pageWorks[r]->data->groupName, name.width, 0);
        groupCells.push_back(std::move(no));
        groupCells.push_back(std::move(name));
        r += k;
    }

    headerCells.clear();
    const double headerHeight = rowsTop - topMargin;
    double x = leftMargin;
    for (const TGanttShowData& col : columns) {
        if (!col.visible) continue;
        TGanttCell c;
        c.origin = {x, double(topMargin)};
        c.width = col.width;
        c.height = headerHeight;
        c.align = col.align;
        finish(c);
        wrap(c, col.caption, col.width, 1);
        headerCells.push_back(std::move(c));
        x += col.width;
    }
    std::vector<Trecsource> catalogue;
    if (!resourceColumnIds.empty()) catalogue = WorkResourceCatalogue(net);
    for (size_t i = 0; i < resourceColumnIds.size() && !catalogue.empty(); ++i) {
        const Trecsource* res = nullptr;
        for (const Trecsource& r : catalogue)
            if (r.number == resourceColumnIds[i]) {
                res = &r;
                break;
            }
        TGanttCell c;
        c.origin = {x, double(topMargin)};
        c.width = resourceColumnWidth;
        c.height = headerHeight;
        c.align = oldNameColumn.align;
        finish(c);
        const std::string name = res ? res->name : resourceColumnIds[i];
        const std::string unit = res ? res->unit : "";
        c.lines = WrapText(canvas, name, resourceColumnWidth, 1);
        const int32_t m = i < resourceColumnModes.size() ? resourceColumnModes[i] : 0;
        if (m == 0) c.lines.push_back("每天用量");
        else if (m == 1) c.lines.push_back("总量");
        c.lines.push_back("(" + unit + ")");
        c.text = name;
        c.wrapWidth = resourceColumnWidth;
        c.wrapMode = -1;   // kept as built: the mode and unit lines follow the name
        headerCells.push_back(std::move(c));
        x += resourceColumnWidth;
    }

    const double x0 = RowCellsLeft();
    double visibleWidth = 0;
    for (const TGanttShowData& col : columns)
        if (col.visible) visibleWidth += col.width;
    double y = rowsTop;
    for (Tedge* w : pageWorks) {
        std::vector<TGanttCell> cells;
        double cx = x0;
        for (const TGanttShowData& col : columns) {
            if (!col.visible) continue;
            TGanttCell c;
            c.origin = {cx, y};
            c.width = col.width;
            c.height = rowHeight;
            c.align = col.align;
            finish(c);
            wrap(c, WorkColumnText(*w, col.columnId, net), col.width * sx, col.align);
            cells.push_back(std::move(c));
            cx += col.width;
        }
        for (size_t i = 0; i < resourceColumnIds.size(); ++i) {
            const int32_t m = i < resourceColumnModes.size() ? resourceColumnModes[i] : 0;
            const double amount = WorkResourceAmount(*w->data, resourceColumnIds[i], m);
            TGanttCell c;
            c.origin = {x0 + visibleWidth + double(i) * resourceColumnWidth, y};
            c.width = resourceColumnWidth;
            c.height = rowHeight;
            c.align = oldDurationColumn.align;
            finish(c);
            wrap(c, amount > 0 ? GeneralNumberText(amount) : std::string(), resourceColumnWidth * sx, 0);
            cells.push_back(std::move(c));
        }
        w->cells = std::move(cells);
        y += rowHeight;
    }
    if (canvas) canvas->Restore();
}

bool Tgantt::NextPage(Tpertgra& net)
{
    if (rowsPerPage <= 0) return false;
    const int64_t n = int64_t(PagedList(net).size());
    const int64_t per = rowsPerPage;
    const int64_t pages = (n + per - 1) / per;
    if (n <= per || page >= pages) return false;
    ++page;
    return true;
}

bool Tgantt::PreviousPage()
{
    if (page <= 1) return false;
    --page;
    return true;
}

void Tgantt::SetAllColumnsAlign(int32_t a)
{
    for (TGanttShowData& c : columns) c.align = a;
}

void Tgantt::ResetToDefaults()
{
    const Tgantt d;
    titleFont = d.titleFont;
    titleGap = d.titleGap;
    rowHeight = d.rowHeight;
    spareColor1 = d.spareColor1;
    spareColor2 = d.spareColor2;
    spareColor3 = d.spareColor3;
    criticalBarHeight = d.criticalBarHeight;
    normalBarHeight = d.normalBarHeight;
    lineWidth = d.lineWidth;
    leftMargin = d.leftMargin;
    topMargin = d.topMargin;
    workFont = d.workFont;
    resourceColumnWidth = d.resourceColumnWidth;
    ruler = Tpertgrid();
    ruler.topMargin = topMargin;
    scaleIntervals.dayWidth = d.scaleIntervals.dayWidth;
}

int32_t Tgantt::PageRowOf(const Tedge* work) const
{
    if (!work) return -1;
    for (size_t i = 0; i < pageWorks.size(); ++i)
        if (pageWorks[i] == work) return int32_t(i);
    return -1;
}

Tedge* Tgantt::RowAt(const Tpertgra& net, TPosition2D p, double* rowTop) const
{
    if (pageWorks.empty()) return nullptr;
    const double top = RowsTop(net);
    if (p.x < RowCellsLeft() || p.x > TimeToX(ProjectEndDay(net)) || p.y < top) return nullptr;
    if (rowHeight <= 0) return nullptr;
    const double r = std::trunc((p.y - top) / rowHeight);
    if (r < 0 || r >= double(pageWorks.size())) return nullptr;
    if (rowTop) *rowTop = top + r * rowHeight;
    return pageWorks[size_t(r)];
}

Tedge* Tgantt::NumberCellAt(const Tpertgra& net, TPosition2D p) const
{
    const double left = RowCellsLeft();
    if (!(p.x > left && p.x < left + oldNumberColumn.width)) return nullptr;
    return RowAt(net, p);
}

int32_t Tgantt::MoveRow(Tpertgra& net, Tedge* work, TPosition2D p)
{
    Tedge* t = RowAt(net, p);
    if (t == work) return 0;
    std::vector<Tedge*> rows = GanttRowList(net);
    auto at = std::find(rows.begin(), rows.end(), work);
    if (at == rows.end()) return 0;
    rows.erase(at);
    if (t) {
        auto target = std::find(rows.begin(), rows.end(), t);
        if (target != rows.end()) rows.insert(target + 1, work);
    }
    for (size_t i = 0; i < rows.size(); ++i) rows[i]->data->workNo = int32_t(i + 1);
    net.InvalidateWorkNumbers();
    return 1;
}

bool Tgantt::HasRow(const Tedge& w)
{
    const Tworkdata& d = *w.data;
    return !(w.isContinuation || d.IsKind(WorkKind::Other) || d.IsDummy() ||
             d.IsKind(WorkKind::TotalDuration) || d.IsMilestone());
}

std::string Tgantt::WorkColumnText(const Tedge& work, int32_t columnId, const Tpertgra& net)
{
    const Tworkdata& d = *work.data;
    switch (columnId) {
    case 0: return IntText(d.groupNo);
    case 1: return d.groupName;
    case 2: return IntText(d.workNo);
    case 3: return d.name;
    case 4: return NumberToText(d.quantity, 20, 2);
    case 5: return NumberToText(d.duration, 8, 2);
    case 6: return DateText(WorkStartDate(net, work));
    case 7: return DateText(WorkFinishDate(net, work));
    case 8: return DateText(StartDateOfTime(net, d.es));
    case 9: return DateText(StartDateOfTime(net, d.ls));
    case 10: return DateText(FinishDateOfTime(net, d.es, d.duration));
    case 11: return DateText(FinishDateOfTime(net, d.ls, d.duration));
    case 12: return NumberToText(work.TF(), 4, 2);
    case 13: return NumberToText(work.FF(), 4, 2);
    default: return {};
    }
}

std::vector<std::string> Tgantt::WrapText(ICanvas* canvas, const std::string& text,
                                          double maxWidth, int32_t mode)
{
    if (!(maxWidth > 0) || !canvas) return {};
    auto width = [&](const std::string& s) { return double(canvas->TextExtent(s).cx); };
    const double total = width(text);
    if (total <= maxWidth) return {text};
    // Characters are whole UTF-8 sequences: a two-byte character is never split.
    const std::vector<std::string> chars = Utf8Characters(text);
    std::vector<std::string> lines;
    if (mode == 1) {
        const double k = std::ceil(total / maxWidth);
        const size_t lineCount = size_t(std::min(k, double(chars.size())));
        const size_t per = (chars.size() + lineCount - 1) / lineCount;
        size_t i = 0;
        for (size_t l = 0; l < lineCount; ++l) {
            std::string line;
            for (size_t j = 0; j < per && i < chars.size(); ++j) line += chars[i++];
            lines.push_back(std::move(line));
        }
        return lines;
    }
    std::string line;
    for (const std::string& c : chars) {
        if (width(line + c) >= maxWidth) {
            lines.push_back(line);
            line = c;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}
