#include "editing/Workdelete.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "drawing/Timeaxis.h"
#include "editing/Nodemerge.h"
#include "editing/Rowops.h"
#include "editing/Workinsert.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

namespace {

// A milestone standing alone: nothing else touches either of its nodes.
// The counts are asked first: they rule out nearly every work without
// reading its data record.
bool IsLoneMilestone(const Tvertex* from, const Tedge* w)
{
    const Tvertex* to = w->toNode;
    return from->inCount == 0 && from->outCount == 1 && !w->nextWork && to && to != from &&
           to->outCount == 0 && to->inCount == 1 && !to->firstWork && w->data->IsMilestone();
}

bool HasNoWorks(const Tvertex* v)
{
    return v->inCount <= 0 && !v->firstWork;
}

// Removes the given rows (sorted, distinct, none negative) at once: whatever
// lies below k of them moves up k rows, as k single row removals would move
// it, cached drawing coordinates included.
void RemoveRows(Tpertgra& net, const std::vector<int32_t>& rows)
{
    if (rows.empty()) return;
    const int32_t h = int32_t(RowHeight(net));
    auto removedAbove = [&](int32_t row) {
        return int32_t(std::lower_bound(rows.begin(), rows.end(), row) - rows.begin());
    };
    for (const auto& v : net.nodes) {
        const int32_t k = removedAbove(v->row);
        v->row -= k;
        v->y -= k * h;
    }
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const int32_t k = removedAbove(w->row);
            w->row -= k;
            w->lineGeom[3] -= k * h;
            w->lineGeom[5] -= k * h;
            w->nameGeom[1] -= k * h;
            w->nameGeom[3] -= k * h;
        }
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->lineGeom[1] = w->fromNode ? w->fromNode->y : w->lineGeom[1];
            w->lineGeom[7] = w->toNode ? w->toNode->y : w->lineGeom[7];
        }
}

void ForgetWorks(Tpertgra& net, const std::unordered_set<const Tedge*>& gone)
{
    auto isGone = [&](const Tedge* w) { return gone.count(w) != 0; };
    std::erase_if(net.selection, isGone);
    for (Tgantt* g : {&net.liveGantt, &net.ganttPrintPreset, &net.ganttScreenPreset})
        if (g->currentWork && isGone(g->currentWork)) g->currentWork = nullptr;
}

}

bool UnlinkFromStart(Tvertex* from, Tedge* work)
{
    Tedge** link = &from->firstWork;
    while (*link && *link != work) link = &(*link)->nextWork;
    if (!*link) return false;
    *link = work->nextWork;
    work->nextWork = nullptr;
    --from->outCount;
    return true;
}

int32_t DeleteWork(Tpertgra& net, Tedge* work)
{
    return DeleteWorks(net, {work});
}

int32_t DeleteLoneMilestones(Tpertgra& net)
{
    std::vector<Tedge*> lone;
    for (const auto& v : net.nodes)
        if (v->firstWork && IsLoneMilestone(v.get(), v->firstWork)) lone.push_back(v->firstWork);
    return lone.empty() ? 0 : DeleteWorks(net, lone);
}

int32_t DeleteWorks(Tpertgra& net, const std::vector<Tedge*>& works)
{
    // Only works that hang in the list of a node of this network are taken.
    std::unordered_set<const Tedge*> wanted;
    for (Tedge* w : works) {
        if (!w || !w->fromNode || !w->toNode || net.IndexOfNode(w->fromNode) < 0 ||
            net.IndexOfNode(w->toNode) < 0)
            continue;
        for (const Tedge* x = w->fromNode->firstWork; x; x = x->nextWork)
            if (x == w) {
                wanted.insert(w);
                break;
            }
    }
    if (wanted.empty()) return 0;

    std::unordered_map<int32_t, int32_t> worksOnRow;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) ++worksOnRow[w->row];

    // A batch keeps a live index of entering works instead of having the
    // network's lookup index rebuilt after every unlink and merge.
    const bool batch = wanted.size() > 1;
    if (batch) net.BeginLinkEdits();

    std::unordered_set<const Tedge*> deleted;
    std::unordered_set<const Tvertex*> doomed;   // left without works, removed at the end
    std::vector<int32_t> emptiedRows;
    bool renumber = false;

    for (Tedge* work : works) {
        if (!wanted.count(work) || deleted.count(work)) continue;
        if (work->isContinuation || work->nextSegment) BreakSegmentLinks(net, work);
        Tvertex* from = work->fromNode;
        Tvertex* to = work->toNode;
        if (!UnlinkFromStart(from, work)) continue;
        --to->inCount;
        const int32_t r = work->row;
        deleted.insert(work);
        net.NoteWorkGone(work, to);
        delete work;
        net.InvalidateStructure();
        if (--worksOnRow[r] == 0 && r >= 0) emptiedRows.push_back(r);

        bool removed = false;
        if (HasNoWorks(to)) {
            doomed.insert(to);
            removed = true;
        }
        if (from != to && HasNoWorks(from)) {
            doomed.insert(from);
            removed = true;
        }
        if (removed || from == to) {
            renumber = true;
            continue;
        }
        if (to->inCount > 0 && from->outCount > 0) {
            renumber = true;
            net.MoveNode(from, net.EarliestNodeTime(from));
            continue;
        }
        // One node keeps works on one side only: merge them. A segment joint
        // stays where it is and takes the other node; a node that now only
        // carries a milestone is merged too, so that the milestone keeps its
        // place at the start or end of what it was attached to.
        Tvertex* gone = from;
        Tvertex* keep = to;
        if (from->joint && !to->joint) std::swap(gone, keep);
        if (MergeNodesUnchecked(net, gone, keep) == 1) {
            if (HasNoWorks(keep)) doomed.insert(keep);
        } else {
            renumber = true;
            net.MoveNode(from, net.EarliestNodeTime(from));
        }
    }
    if (batch) net.EndLinkEdits();
    if (deleted.empty()) return 0;

    net.RemoveNodes(doomed);
    std::vector<int32_t> rows;
    for (int32_t r : emptiedRows)
        if (worksOnRow[r] == 0) rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    RemoveRows(net, rows);

    if (renumber) {
        net.Renumber();
        net.TimeOrder();
    }
    ForgetWorks(net, deleted);
    return 1;
}
