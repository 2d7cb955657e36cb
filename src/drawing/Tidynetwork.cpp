// The model step of every relayout between the deletion of lone milestones
// and the displacement pass.
#include <span>

#include "model/Pertgra.h"

namespace {

// Rows of works handed to nodes: the layout raises negative work rows to 0.
int32_t RowOf(const Tedge* w)
{
    return w->row < 0 ? 0 : w->row;
}

}

void Tpertgra::TidyNetwork()
{
    // Nodes follow the rows of their single works. A work's kind is only
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
