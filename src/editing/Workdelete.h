#pragma once
#include <cstdint>
#include <vector>

class Tpertgra;
class Tedge;

// Deleting works and cutting their links. Each returns 1 when the network
// changed and 0 when nothing was done.

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

// "删除紧前逻辑关系": the work gets a start node of its own at its planned
// start; when the old start node stands on the work's row at the same time,
// a blank row keeps them apart. Nothing for the only work of its start node
// and for a milestone. Recalculates and lays the network out.
int32_t DeletePredecessorLinks(Tpertgra& net, Tedge* work);

// "删除紧后逻辑关系": the work gets an end node of its own at its planned
// finish; the other works into the old end node are pulled back into their
// float; when the old end node stands on the work's row it and everything
// after it on that row or below moves down one row. Nothing for the only
// entering work of an end node and for a milestone. Recalculates and lays
// the network out.
int32_t DeleteSuccessorLinks(Tpertgra& net, Tedge* work);
