#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class Tpertgra;
class Tedge;

// Settings of a generated plan.
struct TPlanShape {
    int32_t works = 100;          // exact number of works of the plan
    uint32_t seed = 1;
    int32_t startNodes = 3;       // nodes without entering works (chains begin there)
    double forkShare = 0.08;      // a new chain leaves an existing node
    double dummyShare = 0.12;     // a dummy joins two chains
    double auxiliaryShare = 0.02; // an auxiliary work parallel to two chain works
    double milestoneShare = 0.01; // a milestone from a new start node into a chain
    bool fractional = false;      // durations may have half days
    int32_t parts = 1;            // self-contained parts, each with its own end node
    // A dummy's start node lies among the dummyReach nodes made before its
    // end node (0: anywhere before it). A plan with a bounded reach and no
    // forks keeps its drawing's height and every link's length as it grows.
    int32_t dummyReach = 0;
};

// A realistic loop-free plan: parallel chains of real works joined by
// dummies, with forks, a few milestones and auxiliary works, several start
// nodes and one end node. Node times and planned starts are consistent
// (each node at the latest finish of the works into it) and the plan has been
// recalculated.
std::unique_ptr<Tpertgra> GeneratePlan(const TPlanShape& shape);

// A simple chain of real works named "L1", "L2", ... (durations 1 to 5 days
// from the seed) added to the plan from a start node of its own at day 0,
// on the row below the plan's lowest. The plan is recalculated; the works in
// order.
std::vector<Tedge*> AppendChain(Tpertgra& net, int32_t works, uint32_t seed = 1);
