#include "editing/Rowmove.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

}

int32_t WorkLineY(const Tpertgra& net, const Tedge* work)
{
    // truncation toward zero, as every coordinate conversion
    return static_cast<int32_t>(Y0(net) + double(work->row) * RowHeight(net));
}

int32_t TargetRowOfDrag(const Tpertgra& net, const Tedge* work, double fromY, double toY)
{
    const double y0 = Y0(net);
    const double h = RowHeight(net);
    if (toY <= y0 || h <= 0) return std::max(0, net.displaySettings.firstRow);
    const int32_t r = static_cast<int32_t>((toY - y0) / h);
    TRowOccupancy occ(net);
    const double t1 = work->fromNode->time;
    const double t2 = work->toNode->time;
    if (std::fabs(toY - fromY) < h / 2) return occ.Occupied(r + 1, t1, t2, work) ? r : r + 1;
    const bool upperHalf = (toY - y0) - r * h < h / 2;
    return upperHalf && !occ.Occupied(r, t1, t2, work) ? r : r + 1;
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
