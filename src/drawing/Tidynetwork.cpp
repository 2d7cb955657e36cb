// The model step of every relayout between the time computation and the
// displacement pass.
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "model/Pertgra.h"

namespace {

// A milestone standing alone: nothing else touches either of its nodes.
bool IsLoneMilestone(const Tedge* w)
{
    const Tvertex* from = w->fromNode;
    const Tvertex* to = w->toNode;
    return w->data->IsMilestone() && from && to && from != to && from->inCount == 0 &&
           from->outCount == 1 && from->firstWork == w && !w->nextWork && to->outCount == 0 &&
           to->inCount == 1 && !to->firstWork;
}

}

void Tpertgra::TidyNetwork()
{
    // 1. Lone milestones go with their two nodes, which nothing else uses.
    std::vector<Tedge*> lone;
    for (const auto& v : nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork)
            if (IsLoneMilestone(w)) lone.push_back(w);
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

    // 2. Nodes follow the rows of their single works.
    for (const auto& v : nodes) {
        Tvertex* n = v.get();
        const Tedge* in = n->inCount == 1 && !WorksInto(n).empty() ? WorksInto(n).front() : nullptr;
        const Tedge* out = n->outCount == 1 ? n->firstWork : nullptr;
        if (in && out && n->row != in->row && n->row != out->row) {
            if (!out->data->IsMilestone()) n->row = out->row;
            continue;
        }
        if (in && !in->data->IsMilestone()) n->row = in->row;
        if (out && !out->data->IsMilestone()) n->row = out->row;
    }
}
