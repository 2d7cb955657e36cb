#pragma once
#include <cstdint>

class Tpertgra;
class Tedge;

// Cutting the links of a work. Each returns 1 when the network changed and
// 0 when nothing was done.

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
