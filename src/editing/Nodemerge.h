#pragma once
#include <cstdint>

class Tpertgra;
class Tvertex;

// Merges node `from` into node `into`: `from` moves to into's time (its
// leaving works shifting with it), its leaving works are appended to into's
// list, the works that ended at `from` end at `into`, a joint mark goes
// over, `from` is removed and `into` settles at the earliest time its
// entering works allow. Returns 1 when merged, 0 when refused: the same
// node twice, a node that only carries a milestone (drawn nowhere), `from`
// a segment joint, or a merge that would close a loop. Refusals are silent.
int32_t MergeNodes(Tpertgra& net, Tvertex* from, Tvertex* into);

// The refusals of MergeNodes that are not about loops: the same node twice,
// a null node, a node that only carries a milestone, `from` a joint.
bool CanMergeNodes(const Tpertgra& net, const Tvertex* from, const Tvertex* into);

// The merge itself without the refusals about milestones and loops, for
// callers that know the merge is sound (the work deletion, where one of
// the two nodes has works on one side only). Still refuses the same node
// twice and a null node.
int32_t MergeNodesUnchecked(Tpertgra& net, Tvertex* from, Tvertex* into);
