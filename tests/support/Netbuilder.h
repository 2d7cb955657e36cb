#pragma once
#include <map>
#include <memory>
#include <string>

#include "model/Pertgra.h"

// Small hand-made networks for tests: nodes are named by letters and created
// in the order they first appear; works are given in that (topological) order.
class TNetBuilder {
public:
    TNetBuilder() : net(std::make_unique<Tpertgra>()) {}

    Tvertex* Node(char name)
    {
        auto it = nodes.find(name);
        if (it != nodes.end()) return it->second;
        auto* v = new Tvertex;
        net->AddNode(v);
        nodes[name] = v;
        return v;
    }

    // Links from→to; returns the work. Kind defaults to a real work.
    Tedge* Work(char from, char to, float duration, const char* kind = WorkKind::Real)
    {
        auto* w = new Tedge;
        w->data->duration = duration;
        w->data->kind = kind;
        w->data->name = std::string(1, from) + to;
        Tvertex* f = Node(from);   // from first: nodes are stored in order of appearance
        Tvertex* t = Node(to);
        net->LinkWork(f, t, w);
        works[w->data->name] = w;
        return w;
    }

    Tedge* W(const std::string& name) { return works.at(name); }
    Tvertex* N(char name) { return nodes.at(name); }

    // Puts every node at the latest finish of the works into it (start nodes
    // keep their time) and every work at its start node. Nodes must have been
    // created in a topological order.
    void Place()
    {
        for (const auto& v : net->nodes) {
            if (v->inCount == 0) continue;
            float t = 0;
            for (Tedge* w : net->WorksInto(v.get()))
                if (!w->data->IsAuxiliary()) t = std::max(t, w->fromNode->time + w->data->duration);
            v->time = t;
        }
        for (const auto& v : net->nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork) {
                w->data->start = std::max(w->data->start, v->time);
                if (w->data->IsAuxiliary()) w->data->duration = w->toNode->time - v->time;
            }
    }

    std::unique_ptr<Tpertgra> net;
    std::map<char, Tvertex*> nodes;
    std::map<std::string, Tedge*> works;
};
