#include "editing/Rowmove.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

#include "drawing/Displaysettings.h"
#include "drawing/Timeaxis.h"
#include "editing/Rowops.h"
#include "model/Pertgra.h"

namespace {

bool MovesNodes(const Tedge* w)
{
    return !w->data->IsDummy() && !w->data->IsMilestone();
}

// Rows handed to nodes are never negative.
int32_t RowOf(const Tedge* w)
{
    return std::max(0, w->row);
}

// The start-node rule: the row the node takes from its leaving works, or -1
// when it keeps its own.
int32_t StartNodeRow(const Tvertex* f)
{
    if (!f->firstWork) return -1;
    if (f->inCount == 1 && f->outCount == 1) return RowOf(f->firstWork);
    const Tedge* earliest = nullptr;
    for (const Tedge* w = f->firstWork; w; w = w->nextWork) {
        if (!MovesNodes(w)) return -1;
        if (!earliest || w->PlannedFinish() < earliest->PlannedFinish()) earliest = w;
    }
    return RowOf(earliest);
}

// The target row of a vertical drag from fromY to toY; occupied(row) tells
// whether another work lies on the row over the dragged work's span.
template <class Occupied>
int32_t TargetRow(const Tpertgra& net, double fromY, double toY, Occupied occupied)
{
    const double y0 = Y0(net);
    const double h = RowHeight(net);
    if (toY <= y0 || h <= 0) return std::max(0, net.displaySettings.firstRow);
    const int32_t r = static_cast<int32_t>((toY - y0) / h);
    if (std::fabs(toY - fromY) < h / 2) return occupied(r + 1) ? r : r + 1;
    const bool upperHalf = (toY - y0) - r * h < h / 2;
    return upperHalf && !occupied(r) ? r : r + 1;
}

// Moves every node and every work not in `skip` from row r to
// r + shift(r), with the cached drawing coordinates, in one pass.
template <class Shift>
void ShiftRowsBy(Tpertgra& net, const std::unordered_set<const Tedge*>& skip, Shift shift)
{
    const int32_t h = int32_t(RowHeight(net));
    for (const auto& v : net.nodes) {
        const int32_t k = shift(v->row);
        v->row = std::max(0, v->row + k);
        v->y += k * h;
    }
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (skip.count(w)) continue;
            const int32_t k = shift(w->row);
            w->row = std::max(0, w->row + k);
            w->lineGeom[3] += k * h;
            w->lineGeom[5] += k * h;
            w->nameGeom[1] += k * h;
            w->nameGeom[3] += k * h;
        }
}

// The works of a selection that can move: linked at both ends, each once,
// in selection order.
std::vector<Tedge*> MovableWorks(const std::vector<Tedge*>& selection)
{
    std::vector<Tedge*> works;
    std::unordered_set<const Tedge*> seen;
    for (Tedge* w : selection)
        if (w && w->fromNode && w->toNode && seen.insert(w).second) works.push_back(w);
    return works;
}

void RefreshLineEnds(Tpertgra& net)
{
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->fromNode) w->lineGeom[1] = w->fromNode->y;
            if (w->toNode) w->lineGeom[7] = w->toNode->y;
        }
}

}

int32_t WorkLineY(const Tpertgra& net, const Tedge* work)
{
    // truncation toward zero, as every coordinate conversion
    return static_cast<int32_t>(Y0(net) + double(work->row) * RowHeight(net));
}

int32_t TargetRowOfDrag(const Tpertgra& net, const Tedge* work, double fromY, double toY)
{
    TRowOccupancy occ(net);
    return TargetRow(net, fromY, toY, [&](int32_t row) {
        return occ.Occupied(row, work->fromNode->time, work->toNode->time, work);
    });
}

int32_t MoveWorkToRow(Tpertgra& net, Tedge* work, double x, double fromY, double toY)
{
    (void)x;   // only the vertical part of the drag counts
    if (!work || !work->fromNode || !work->toNode) return 0;
    const double h = RowHeight(net);
    if (h <= 0) return 0;
    int32_t result = 0;
    if (work->data->IsMilestone() && toY < Y0(net)) {
        InsertBlankRow(net, 0);
        result = 1;
    }
    if (std::fabs(double(WorkLineY(net, work)) - toY) < h / 2) return result;
    const int32_t target = TargetRowOfDrag(net, work, fromY, toY);
    if (target == work->row) return result;
    const int32_t old = work->row;
    work->row = target;
    RealignNodeRows(net, work);
    RemoveRowIfEmpty(net, old);
    return 1;
}

void RealignNodeRows(Tpertgra& net, const Tedge* work)
{
    (void)net;
    if (!work || !MovesNodes(work)) return;
    if (work->toNode && work->toNode->inCount == 1) work->toNode->row = RowOf(work);
    if (work->fromNode) {
        const int32_t r = StartNodeRow(work->fromNode);
        if (r >= 0) work->fromNode->row = r;
    }
}

void RealignAllNodeRows(Tpertgra& net)
{
    // Only node rows change here, so each node's start-node answer, which
    // reads the rows of works, holds for the whole pass.
    std::vector<int32_t> startRow(net.nodes.size(), -1);
    for (size_t i = 0; i < net.nodes.size(); ++i) startRow[i] = StartNodeRow(net.nodes[i].get());
    for (Tedge* w : net.AllWorks()) {
        if (!MovesNodes(w)) continue;
        if (w->toNode && w->toNode->inCount == 1) w->toNode->row = RowOf(w);
        const int32_t s = net.IndexOfNode(w->fromNode);
        if (s >= 0 && startRow[size_t(s)] >= 0) w->fromNode->row = startRow[size_t(s)];
    }
}

bool RemoveRowIfEmpty(Tpertgra& net, int32_t r)
{
    if (r < 0 || RowHasWork(net, r)) return false;
    RemoveRow(net, r + 1);
    return true;
}

int32_t MoveSelectionRows(Tpertgra& net, const std::vector<Tedge*>& selection, TPosition2D start,
                          TPosition2D end)
{
    const std::vector<Tedge*> works = MovableWorks(selection);
    if (works.empty() || RowHeight(net) <= 0) return 0;
    const std::unordered_set<const Tedge*> selected(works.begin(), works.end());
    TRowOccupancy others(net, &selected);
    // Every work is dragged by the same distance from its own line.
    const double dy = end.y - start.y;
    int32_t common = 0;
    bool first = true;
    for (const Tedge* w : works) {
        const double fromY = WorkLineY(net, w);
        const int32_t t = TargetRow(net, fromY, fromY + dy, [&](int32_t row) {
            return others.Occupied(row, w->fromNode->time, w->toNode->time);
        });
        common = first ? t : std::min(common, t);
        first = false;
    }
    const int32_t diff = common - works.front()->row;
    if (diff == 0) return 0;
    return ShiftSelectionRows(net, works, diff);
}

int32_t ShiftSelectionRows(Tpertgra& net, const std::vector<Tedge*>& selection, int32_t diff)
{
    const std::vector<Tedge*> works = MovableWorks(selection);
    if (works.empty()) return 0;
    // No work goes above row 0: the whole selection stops there together.
    int32_t lowest = works.front()->row;
    for (const Tedge* w : works) lowest = std::min(lowest, w->row);
    diff = std::max(diff, -std::max(0, lowest));

    const std::unordered_set<const Tedge*> selected(works.begin(), works.end());
    TRowOccupancy others(net, &selected);

    // Targets from the top down. A target taken by a work outside the
    // selection gets a blank row: everything outside the selection at or
    // below it moves down one. The blank rows are gathered as rows of the
    // grid before the move (`inserted`, ascending) and applied in one pass.
    std::vector<size_t> byTarget(works.size());
    for (size_t i = 0; i < works.size(); ++i) byTarget[i] = i;
    std::stable_sort(byTarget.begin(), byTarget.end(),
                     [&](size_t a, size_t b) { return works[a]->row < works[b]->row; });
    std::vector<int32_t> inserted;
    std::vector<int32_t> oldRows(works.size());
    for (size_t i = 0; i < works.size(); ++i) oldRows[i] = works[i]->row;
    for (size_t i : byTarget) {
        const int32_t target = oldRows[i] + diff;
        // The row of the grid before the move that now lies at `target`;
        // the blank row last inserted lies there when none does.
        const int32_t before = target - int32_t(inserted.size());
        if (!inserted.empty() && before < inserted.back()) continue;
        const Tedge* w = works[i];
        if (others.Occupied(before, w->fromNode->time, w->toNode->time)) inserted.push_back(before);
    }
    if (diff == 0 && inserted.empty()) return 0;
    if (!inserted.empty()) {
        ShiftRowsBy(net, selected, [&](int32_t row) {
            return int32_t(std::upper_bound(inserted.begin(), inserted.end(), row) - inserted.begin());
        });
    }
    // The rows the works leave, as rows after the blank rows went in.
    std::vector<int32_t> left;
    for (size_t i = 0; i < works.size(); ++i) {
        const int32_t old = oldRows[i];
        left.push_back(old + int32_t(std::upper_bound(inserted.begin(), inserted.end(), old) - inserted.begin()));
        works[i]->row = old + diff;
    }
    for (const Tedge* w : works) RealignNodeRows(net, w);

    // Rows left without works close, all in one pass.
    std::unordered_set<int32_t> used;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) used.insert(w->row);
    std::vector<int32_t> empty;
    for (int32_t r : left)
        if (r >= 0 && !used.count(r)) empty.push_back(r);
    std::sort(empty.begin(), empty.end());
    empty.erase(std::unique(empty.begin(), empty.end()), empty.end());
    if (!empty.empty()) {
        ShiftRowsBy(net, {}, [&](int32_t row) {
            return -int32_t(std::lower_bound(empty.begin(), empty.end(), row) - empty.begin());
        });
    }
    RefreshLineEnds(net);
    return 1;
}
