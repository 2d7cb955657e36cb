#pragma once
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "model/Pertgra.h"

// Structural checks of a network for the editing tests.

// Every inconsistency of the links and counts, as text; empty when sound:
// works sit in the list of their start node, end at a node of the network,
// counts match the links, no node is isolated, no work is a loop of one.
inline std::string LinkProblems(const Tpertgra& net)
{
    std::string out;
    std::set<const Tvertex*> known;
    for (const auto& v : net.nodes) known.insert(v.get());
    std::map<const Tvertex*, int> in, outs;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->fromNode != v.get()) out += "work " + w->data->name + " held by another node; ";
            if (!known.count(w->toNode)) out += "work " + w->data->name + " ends outside; ";
            if (w->toNode == v.get()) out += "work " + w->data->name + " is a loop; ";
            ++outs[v.get()];
            ++in[w->toNode];
        }
    for (const auto& v : net.nodes) {
        if (v->inCount != in[v.get()] || v->outCount != outs[v.get()])
            out += "counts of a node; ";
        if (in[v.get()] == 0 && outs[v.get()] == 0) out += "isolated node; ";
    }
    return out;
}

// Number of pieces the network falls into, links taken in both directions.
inline int ComponentCount(const Tpertgra& net)
{
    std::map<const Tvertex*, size_t> index;
    for (const auto& v : net.nodes) index[v.get()] = index.size();
    std::vector<size_t> parent(index.size());
    std::iota(parent.begin(), parent.end(), size_t(0));
    auto find = [&](size_t a) {
        while (parent[a] != a) a = parent[a] = parent[parent[a]];
        return a;
    };
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            if (index.count(w->toNode)) parent[find(index[v.get()])] = find(index[w->toNode]);
    std::set<size_t> roots;
    for (size_t i = 0; i < parent.size(); ++i) roots.insert(find(i));
    return int(roots.size());
}

// The works of the network by name.
inline std::set<std::string> WorkNames(const Tpertgra& net)
{
    std::set<std::string> names;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) names.insert(w->data->name);
    return names;
}
