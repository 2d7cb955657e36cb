#include "editing/Replacework.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "editing/Relayout.h"
#include "editing/Rowmove.h"
#include "editing/Selectcmd.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

bool InListOf(const Tvertex* v, const Tedge* work)
{
    for (const Tedge* w = v->firstWork; w; w = w->nextWork)
        if (w == work) return true;
    return false;
}

// Joins the pasted part to the network: every pasted node without entering
// works is merged into `from`, every one with entering works and no leaving
// works into `to`, as node merges do it (the merged node first moves to the
// time of the node it joins, its works shifting with it). The loop and
// milestone refusals of a node merge do not apply: the pasted part is not
// linked to the network yet, so no merge can close a loop, and a pasted
// milestone at the edge must be joined like any other work. All merged
// nodes are removed in one go.
void JoinPasted(Tpertgra& net, const std::vector<Tvertex*>& added, Tvertex* from, Tvertex* to)
{
    std::vector<Tvertex*> starts, ends;
    for (Tvertex* v : added) {
        if (v->inCount == 0) starts.push_back(v);
        else if (v->outCount == 0) ends.push_back(v);
    }
    std::vector<Tedge*> entering;
    for (Tvertex* e : ends)
        for (Tedge* w : net.WorksInto(e)) entering.push_back(w);
    for (Tvertex* s : starts) net.SetNodeTime(s, from->time);

    Tedge** tail = &from->firstWork;
    while (*tail) tail = &(*tail)->nextWork;
    for (Tvertex* s : starts) {
        *tail = s->firstWork;
        for (Tedge* w = s->firstWork; w; w = w->nextWork) {
            w->fromNode = from;
            tail = &w->nextWork;
        }
        from->outCount += s->outCount;
        s->firstWork = nullptr;
        s->outCount = 0;
    }
    for (Tedge* w : entering) {
        w->toNode = to;
        w->toNodeId = to->id;
        ++to->inCount;
    }
    for (Tvertex* e : ends) e->inCount = 0;

    std::unordered_set<const Tvertex*> merged(starts.begin(), starts.end());
    merged.insert(ends.begin(), ends.end());
    net.RemoveNodes(merged);
    net.SetNodeTime(to, net.EarliestNodeTime(to));
}

}  // namespace

int32_t ReplaceWork(Tpertgra& net, Tedge* work, const Tpertgra& clip)
{
    if (!work || !work->fromNode || !work->toNode) return 0;
    if (net.IndexOfNode(work->fromNode) < 0 || net.IndexOfNode(work->toNode) < 0) return 0;
    if (!InListOf(work->fromNode, work) || clip.WorkCount() == 0) return 0;
    Tvertex* from = work->fromNode;
    Tvertex* to = work->toNode;

    std::unique_ptr<Tpertgra> copy = clip.Clone();
    // The pasted works are numbered after the network's own works.
    int32_t lastNo = 0;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) lastNo = std::max(lastNo, w->data->workNo);
    std::vector<Tedge*> pasted;
    for (const auto& v : copy->nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->data->workNo = ++lastNo;
            pasted.push_back(w);
        }
    // The nodes (with the works they own) change hands; the copy keeps
    // nothing that points at them.
    copy->order.clear();
    copy->selection.clear();
    copy->nodePairs.clear();
    std::vector<Tvertex*> added;
    added.reserve(copy->nodes.size());
    for (auto& v : copy->nodes) {
        added.push_back(v.release());
        net.AddNode(added.back());
    }
    copy->nodes.clear();
    copy.reset();
    net.InvalidateWorkNumbers();

    OrderAsSelection(pasted);
    net.selection = pasted;
    JoinPasted(net, added, from, to);

    const int32_t row = work->row;
    DeleteWork(net, work);
    if (!net.selection.empty()) {
        const std::vector<Tedge*> sel = net.selection;
        ShiftSelectionRows(net, sel, std::max(0, row) - sel.front()->row);
    }
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}

int32_t PasteOverWork(Tpertgra& net, Tedge* work, const Tpertgra* clip)
{
    if (!work || !clip || clip->WorkCount() == 0) return 0;
    const std::string question = "真的要替换“" + work->data->name + "”吗?";
    if (AskYesNo(question, "警告") != TMsgAnswer::Yes) return 0;
    return ReplaceWork(net, work, *clip);
}
