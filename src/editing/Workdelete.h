#pragma once
#include <cstdint>
#include <vector>

class Tpertgra;
class Tedge;
class Tvertex;

// Deleting works. Each returns 1 when the network changed and 0 when
// nothing was done.

// Removes a work and keeps the network connected: a segment first loses
// its segment links; a node left without works is removed; when one of the
// two nodes keeps works on one side only, the two nodes are merged so that
// the work's predecessors precede its successors directly; otherwise the
// start node settles at its earliest time. A row left without works is
// removed. The network is renumbered, not recalculated: callers run
// Recalculate. The work leaves the selection and the Gantt views.
int32_t DeleteWork(Tpertgra& net, Tedge* work);

// DeleteWork for each work in turn, with the renumbering and the removal of
// emptied nodes and rows done once at the end (the result is the same).
// Works not in the network, null entries and repeats are skipped.
int32_t DeleteWorks(Tpertgra& net, const std::vector<Tedge*>& works);

// The step of every relayout after ComputeAndPull: each milestone standing
// alone (nothing else touches either of its nodes) goes with its two nodes
// by DeleteWorks. Returns 1 when one went.
int32_t DeleteLoneMilestones(Tpertgra& net);

// Takes the work out of its start node's list (the network's lookup index
// is left to the caller); false when it is not there.
bool UnlinkFromStart(Tvertex* from, Tedge* work);
