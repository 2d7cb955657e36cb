#include "editing/Nodemerge.h"

#include <vector>

#include "model/Pertgra.h"

bool CanMergeNodes(const Tpertgra& net, const Tvertex* from, const Tvertex* into)
{
    if (!from || !into || from == into) return false;
    if (net.IsMilestoneEnd(from) || net.IsMilestoneEnd(into)) return false;
    return !from->joint;
}

int32_t MergeNodes(Tpertgra& net, Tvertex* from, Tvertex* into)
{
    if (!CanMergeNodes(net, from, into)) return 0;
    // A path between the two would become a loop through the merged node.
    if (net.Reaches(from, into) || net.Reaches(into, from)) return 0;
    return MergeNodesUnchecked(net, from, into);
}

int32_t MergeNodesUnchecked(Tpertgra& net, Tvertex* from, Tvertex* into)
{
    if (!from || !into || from == into) return 0;
    net.SetNodeTime(from, into->time);

    // The works ending at `from`, taken before any relinking changes the index.
    const std::span<Tedge* const> intoFrom = net.WorksInto(from);
    const std::vector<Tedge*> entering(intoFrom.begin(), intoFrom.end());

    Tedge** tail = &into->firstWork;
    while (*tail) tail = &(*tail)->nextWork;
    *tail = from->firstWork;
    for (Tedge* w = from->firstWork; w; w = w->nextWork) w->fromNode = into;
    into->outCount += from->outCount;
    from->firstWork = nullptr;
    from->outCount = 0;

    for (Tedge* w : entering) {
        w->toNode = into;
        ++into->inCount;
    }
    net.NoteEndsMoved(from, into);
    from->inCount = 0;
    if (from->joint) into->joint = true;
    net.InvalidateStructure();

    // The partner table would keep pointing at the removed node; the layout
    // rebuilds it anyway.
    net.nodePairs.clear();
    net.RemoveNode(from);
    net.SetNodeTime(into, net.EarliestNodeTime(into));
    return 1;
}
