#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/Pertgra.h"

// What a recalculated plan must satisfy, within 1e-6 days: every work starts
// at or after its start node and within its float, every work but an
// auxiliary one ends at or before its end node, every node lies at or after
// its earliest time, and the project ends where its longest path ends.
// The problems as text (the first few), empty when there is none.
inline std::string ScheduleProblems(const Tpertgra& net)
{
    constexpr double tol = 1e-6;
    std::string out;
    int count = 0;
    auto problem = [&](const std::string& text) {
        if (++count <= 4) out += text + "; ";
    };
    auto num = [](double v) { return std::to_string(v); };
    auto name = [](const Tedge* w) {
        return w->data->name + " (" + std::to_string(w->fromNode->id) + "->" +
               std::to_string(w->toNode->id) + ")";
    };
    for (const auto& v : net.nodes) {
        if (double(v->time) < double(v->earliest) - tol)
            problem("node " + std::to_string(v->id) + " at " + num(v->time) + " before its earliest " +
                    num(v->earliest));
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            const Tworkdata& d = *w->data;
            if (double(d.start) < double(v->time) - tol)
                problem(name(w) + " starts at " + num(d.start) + " before its node at " + num(v->time));
            if (!d.IsAuxiliary() && double(d.start) + double(d.duration) > double(w->toNode->time) + tol)
                problem(name(w) + " ends at " + num(d.start + d.duration) + " after its node at " +
                        num(w->toNode->time));
            if (double(d.start) < double(d.es) - tol || double(d.start) > double(d.ls) + tol)
                problem(name(w) + " starts at " + num(d.start) + " outside its float [" + num(d.es) + ", " +
                        num(d.ls) + "]");
        }
    }
    // The project ends where its longest path ends: at the earliest time of
    // its last node, or of the node that shares the last day with it.
    float end = 0;
    float longest = 0;
    for (const auto& v : net.nodes) {
        end = std::max(end, v->time);
        longest = std::max(longest, v->earliest);
    }
    if (!net.nodes.empty() && std::abs(double(end) - double(longest)) > tol)
        problem("the project ends at " + num(end) + ", its longest path at " + num(longest));
    if (count > 4) out += std::to_string(count - 4) + " more";
    return out;
}
