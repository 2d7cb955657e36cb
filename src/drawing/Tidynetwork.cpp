// The model step of every relayout between the time computation and the
// displacement pass.
#include <algorithm>
#include <vector>

#include "editing/Workdelete.h"
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
    // 1. Lone milestones go, with their two nodes, which nothing else uses,
    // by the work deletion.
    std::vector<Tedge*> lone;
    for (const auto& v : nodes)
        if (v->firstWork && IsLoneMilestone(v.get(), v->firstWork)) lone.push_back(v->firstWork);
    if (!lone.empty()) DeleteWorks(*this, lone);

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
