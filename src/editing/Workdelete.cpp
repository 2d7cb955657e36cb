#include "editing/Workdelete.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "drawing/Layoutpass.h"
#include "drawing/Timeaxis.h"
#include "editing/Nodemerge.h"
#include "editing/Rowops.h"
#include "editing/Workinsert.h"
#include "model/Pertgra.h"

namespace {

bool HasNoWorks(const Tvertex* v)
{
    return v->inCount <= 0 && !v->firstWork;
}

// Takes the work out of its start node's list; false when it is not there.
bool Unlink(Tvertex* from, Tedge* work)
{
    Tedge** link = &from->firstWork;
    while (*link && *link != work) link = &(*link)->nextWork;
    if (!*link) return false;
    *link = work->nextWork;
    work->nextWork = nullptr;
    --from->outCount;
    return true;
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

int32_t DeleteWork(Tpertgra& net, Tedge* work)
{
    return DeleteWorks(net, {work});
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
        if (!Unlink(from, work)) continue;
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

int32_t DeletePredecessorLinks(Tpertgra& net, Tedge* work)
{
    if (!work || !work->fromNode || !work->toNode || work->data->IsMilestone()) return 0;
    Tvertex* f = work->fromNode;
    if (f->inCount + f->outCount <= 1) return 0;
    BreakSegmentLinks(net, work);
    if (!Unlink(f, work)) return 0;
    net.InvalidateStructure();
    net.SetNodeTime(f, f->time);

    auto* n = new Tvertex;
    n->row = std::max(0, work->row);
    n->time = work->data->start;
    n->firstWork = work;
    n->outCount = 1;
    work->fromNode = n;
    net.AddNode(n);

    const int32_t r = work->row;
    if (f->row == r && std::fabs(double(f->time) - double(n->time)) < 1e-8) {
        InsertBlankRow(net, r);
        work->row = r;
        n->row = std::max(0, r);
    }
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}

int32_t DeleteSuccessorLinks(Tpertgra& net, Tedge* work)
{
    if (!work || !work->fromNode || !work->toNode || work->data->IsMilestone()) return 0;
    Tvertex* t = work->toNode;
    if (t->inCount <= 1 && t->outCount == 0) return 0;
    BreakSegmentLinks(net, work);
    work->data->start = work->fromNode->time;

    auto* n = new Tvertex;
    n->inCount = 1;
    n->time = work->data->start + work->data->duration;
    n->row = std::max(0, work->row);
    net.AddNode(n);
    work->toNode = n;
    --t->inCount;
    net.InvalidateStructure();

    const std::span<Tedge* const> into = net.WorksInto(t);
    const std::vector<Tedge*> rest(into.begin(), into.end());
    for (Tedge* w : rest) {
        Tworkdata& d = *w->data;
        if (d.start > d.ls) net.PlaceWork(w, d.ls, d.duration);
        if (std::fabs(double(d.start) - double(d.ls)) < 1e-8) net.SetNodeTime(t, w->PlannedFinish());
    }

    const int32_t r = work->row;
    if (t->row == r) {
        ++t->row;
        std::unordered_set<const Tvertex*> seen{t};
        std::vector<Tvertex*> stack{t};
        while (!stack.empty()) {
            Tvertex* v = stack.back();
            stack.pop_back();
            for (Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (w->row >= r) ++w->row;
                Tvertex* next = w->toNode;
                if (!next || !seen.insert(next).second) continue;
                if (next->row >= r) ++next->row;
                stack.push_back(next);
            }
        }
    }
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}
