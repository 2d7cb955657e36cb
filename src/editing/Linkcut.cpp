#include "editing/Linkcut.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <unordered_set>
#include <vector>

#include "editing/Relayout.h"
#include "editing/Rowops.h"
#include "editing/Workdelete.h"
#include "editing/Workinsert.h"
#include "model/Pertgra.h"

int32_t DeletePredecessorLinks(Tpertgra& net, Tedge* work)
{
    if (!work || !work->fromNode || !work->toNode || work->data->IsMilestone()) return 0;
    Tvertex* f = work->fromNode;
    if (f->inCount + f->outCount <= 1) return 0;
    BreakSegmentLinks(net, work);
    if (!UnlinkFromStart(f, work)) return 0;
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
