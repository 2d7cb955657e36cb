// The model step of every relayout between the time computation and the
// displacement pass.
#include <algorithm>
#include <unordered_set>
#include <vector>

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

// Rows of works handed to nodes: the layout raises negative work rows to 0.
int32_t RowOf(const Tedge* w)
{
    return w->row < 0 ? 0 : w->row;
}

}

void Tpertgra::TidyNetwork()
{
    // 1. Lone milestones go with their two nodes, which nothing else uses.
    std::vector<Tedge*> lone;
    for (const auto& v : nodes)
        if (v->firstWork && IsLoneMilestone(v.get(), v->firstWork)) lone.push_back(v->firstWork);
    if (!lone.empty()) {
        const std::unordered_set<const Tedge*> gone(lone.begin(), lone.end());
        selection.erase(std::remove_if(selection.begin(), selection.end(),
                                       [&](const Tedge* s) { return gone.count(s) != 0; }),
                        selection.end());
        // The partner table points at nodes; the layout rebuilds it next anyway.
        nodePairs.clear();
        for (Tedge* w : lone) {
            Tvertex* from = w->fromNode;
            Tvertex* to = w->toNode;
            from->firstWork = nullptr;
            from->outCount = 0;
            to->inCount = 0;
            delete w;
            InvalidateStructure();
            RemoveNode(from);
            RemoveNode(to);
        }
    }

    // 2. Nodes follow the rows of their single works. A work's kind is only
    // read where the row would change.
    for (const auto& v : nodes) {
        Tvertex* n = v.get();
        const Tedge* in = nullptr;
        if (n->inCount == 1) {
            const std::span<Tedge* const> into = WorksInto(n);
            if (!into.empty()) in = into.front();
        }
        const Tedge* out = n->outCount == 1 ? n->firstWork : nullptr;
        if (in && out && n->row != RowOf(in) && n->row != RowOf(out)) {
            if (!out->data->IsMilestone()) n->row = RowOf(out);
            continue;
        }
        if (in && n->row != RowOf(in) && !in->data->IsMilestone()) n->row = RowOf(in);
        if (out && n->row != RowOf(out) && !out->data->IsMilestone()) n->row = RowOf(out);
    }
}
