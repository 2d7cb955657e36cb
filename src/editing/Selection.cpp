#include "editing/Selection.h"

#include <algorithm>
#include <utility>

#include "drawing/Workgeometry.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

void InsertIntoSelection(Tpertgra& net, Tedge* work)
{
    std::vector<Tedge*>& sel = net.selection;
    auto it = sel.begin();
    if (work->data->critical) {
        while (it != sel.end() && (*it)->row < work->row) ++it;
    } else {
        while (it != sel.end() && (*it)->row <= work->row) ++it;
    }
    sel.insert(it, work);
}

void SelectInRect(Tpertgra& net, TPosition2D a, TPosition2D b)
{
    const double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
    const double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
    ClearSelection(net);
    // Collected first and ordered once, so that a band over a large plan
    // does not insert into a long list work by work.
    std::vector<Tedge*> inside;
    for (const auto& v : net.nodes) {
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const TWorkGeometry g = TWorkGeometry::Of(*w);
            if (g.fromX <= maxX && g.toX >= minX && minY < g.lineY && g.lineY < maxY)
                inside.push_back(w);
        }
    }
    OrderAsSelection(inside);
    net.selection = std::move(inside);
    if (!net.selection.empty()) net.liveGantt.currentWork = net.selection.front();
}

void OrderAsSelection(std::vector<Tedge*>& works)
{
    std::vector<std::pair<Tedge*, size_t>> keyed;
    keyed.reserve(works.size());
    for (size_t i = 0; i < works.size(); ++i) keyed.emplace_back(works[i], i);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) {
        if (x.first->row != y.first->row) return x.first->row < y.first->row;
        const bool cx = x.first->data->critical, cy = y.first->data->critical;
        if (cx != cy) return cx;
        if (cx) return x.second > y.second;
        return false;
    });
    for (size_t i = 0; i < works.size(); ++i) works[i] = keyed[i].first;
}

bool IsSelected(const Tpertgra& net, const Tedge* work)
{
    return std::find(net.selection.begin(), net.selection.end(), work) != net.selection.end();
}

void ClearSelection(Tpertgra& net)
{
    net.selection.clear();
}
