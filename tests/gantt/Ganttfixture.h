#pragma once
// Small plans for the Gantt tests, laid out in the Gantt view.
#include <memory>
#include <string>
#include <vector>

#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

namespace ganttfixture {

// n works one after another (each 2 days), named W1..Wn, all critical.
inline std::unique_ptr<Tpertgra> Chain(int n)
{
    auto net = std::make_unique<Tpertgra>();
    auto* from = new Tvertex;
    net->AddNode(from);
    for (int i = 0; i < n; ++i) {
        auto* to = new Tvertex;
        net->AddNode(to);
        auto* w = new Tedge;
        w->data->name = "W" + std::to_string(i + 1);
        w->data->duration = 2;
        net->LinkWork(from, to, w);
        from = to;
    }
    net->Recalculate();
    return net;
}

inline Tedge* Named(const Tpertgra& net, const std::string& name)
{
    for (Tedge* w : net.AllWorks())
        if (w->data->name == name) return w;
    return nullptr;
}

inline std::vector<std::string> RowNames(const Tgantt& g)
{
    std::vector<std::string> names;
    for (const Tedge* w : g.pageWorks) names.push_back(w->data->name);
    return names;
}

// The Gantt view laid out as the program does after every change.
inline void ShowGantt(Tpertgra& net)
{
    SetViewKind(net, 0);
    net.Recalculate();
    LayoutNetwork(net);
}

// The middle of page row r, inside the number column.
inline TPosition2D RowPoint(const Tpertgra& net, int r, double dx = 15)
{
    const Tgantt& g = net.liveGantt;
    return {g.RowCellsLeft() + dx, g.RowsTop(net) + (r + 0.5) * g.rowHeight};
}

}  // namespace ganttfixture
