#include "editing/Applydrag.h"

#include <cmath>
#include <cstdlib>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Hitpoint.h"
#include "editing/Nodemerge.h"
#include "editing/Relayout.h"
#include "editing/Rowmove.h"
#include "editing/Selection.h"
#include "editing/Workinsert.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

const char* const kLoopText = "网络图不能有回路!";

Tvertex* NodeAt(const Tpertgra& net, TPosition2D p)
{
    return net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
}

int32_t WorksAt(const Tpertgra& net, const Tvertex* v)
{
    return static_cast<int32_t>(net.WorksInto(v).size()) + v->outCount;
}

}  // namespace

char WorkZoneAt(const Tpertgra& net, const Tedge* work, TPosition2D p)
{
    const TPointHit hit = HitAtPoint(net, p);
    if (hit.work == work && (hit.hitClass == "f" || hit.hitClass == "m" || hit.hitClass == "b"))
        return hit.hitClass[0];
    const TWorkGeometry g = TWorkGeometry::Of(*work);
    const double third = (g.toX - g.fromX) / 3.0;
    if (p.x < g.fromX + third) return 'f';
    if (p.x > g.toX - third) return 'b';
    return 'm';
}

void ReattachEnd(Tpertgra& net, Tedge* work, Tvertex* node)
{
    Tvertex* old = work->toNode;
    work->toNode = node;
    work->toNodeId = node->id;
    ++node->inCount;
    --old->inCount;
    net.InvalidateStructure();
    if (work->data->IsAuxiliary()) net.RecheckAuxiliary(work);
    if (old->inCount == 0 && old->outCount == 0) net.RemoveNode(old);
    else if (old->inCount > 0) net.SetNodeTime(old, net.EarliestNodeTime(old));
    net.SetNodeTime(node, net.EarliestNodeTime(node));
    RealignNodeRows(net, work);
}

void ReattachStart(Tpertgra& net, Tedge* work, Tvertex* node)
{
    Tvertex* old = work->fromNode;
    Tedge** link = &old->firstWork;
    while (*link && *link != work) link = &(*link)->nextWork;
    if (!*link) return;   // not in its start node's list: leave it alone
    *link = work->nextWork;
    --old->outCount;
    work->nextWork = node->firstWork;
    node->firstWork = work;
    ++node->outCount;
    work->fromNode = node;
    net.InvalidateStructure();
    if (work->data->IsAuxiliary()) net.RecheckAuxiliary(work);
    net.PlaceWork(work, node->time, work->data->duration);
    if (old->inCount == 0 && old->outCount == 0) net.RemoveNode(old);
    RealignNodeRows(net, work);
}

namespace {

// The end of a work dragged onto a node: its end node (back third) or its
// start node (front third) becomes that node. Nothing without a node or on
// the same node; a drop that would close a loop is refused.
int32_t ReattachDraggedEnd(Tpertgra& net, Tedge* work, Tvertex* endNode, bool start)
{
    Tvertex* moved = start ? work->fromNode : work->toNode;
    Tvertex* kept = start ? work->toNode : work->fromNode;
    if (!endNode || endNode == moved) {
        ClearSelection(net);
        return 0;
    }
    const bool loop = start ? net.Reaches(kept, endNode) : net.Reaches(endNode, kept);
    if (endNode == kept || loop) {
        ShowWarning(kLoopText);
        return 0;
    }
    if (moved->joint) BreakSegmentLinks(net, work);
    const bool realignOld = WorksAt(net, moved) >= 2;
    if (start) ReattachStart(net, work, endNode);
    else ReattachEnd(net, work, endNode);
    if (realignOld) {
        if (moved->firstWork) RealignNodeRows(net, moved->firstWork);
        else if (Tedge* into = net.LatestWorkInto(moved)) RealignNodeRows(net, into);
    }
    net.Recalculate();
    ClearSelection(net);
    LayoutNetwork(net);
    return 1;
}

}  // namespace

int32_t ApplyDrag(Tpertgra& net, Tedge* pressWork, TPosition2D start, TPosition2D end)
{
    Tvertex* startNode = NodeAt(net, start);
    Tvertex* endNode = NodeAt(net, end);
    if (startNode && endNode) {
        if (startNode == endNode) return 0;
        if (net.Reaches(startNode, endNode) || net.Reaches(endNode, startNode)) {
            ShowWarning(kLoopText);
            return 0;
        }
        // The loop refusal is the message above; the other refusals are silent.
        if (!CanMergeNodes(net, startNode, endNode)) return 0;
        const int32_t r = MergeNodesUnchecked(net, startNode, endNode);
        if (r == 1) {
            net.Recalculate();
            LayoutNetwork(net);
        }
        return r;
    }
    if (!pressWork) return 0;
    const char zone = WorkZoneAt(net, pressWork, start);
    if (zone == 'b' || zone == 'f') return ReattachDraggedEnd(net, pressWork, endNode, zone == 'f');
    if (!IsSelected(net, pressWork) || net.selection.size() == 1) {
        const int32_t r = MoveWorkToRow(net, pressWork, start.x, start.y, end.y);
        ClearSelection(net);
        if (r == 1) LayoutNetwork(net);
        return r;
    }
    // The selection moves together; a short drag leaves it where it is.
    if (std::fabs(end.y - start.y) <= RowHeight(net) / 2) return 0;
    const int32_t r = MoveSelectionRows(net, net.selection, start, end);
    if (r == 1) LayoutNetwork(net);
    return r;
}
