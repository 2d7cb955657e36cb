#pragma once
#include <cstdint>

#include "model/Position2d.h"

class Tedge;
class Tpertgra;
class Tvertex;

// The end of a drag of the select and edit tools (and of a drag from a work
// line with the add tool): a node dropped on another node merges them, the
// front or back third of a work dropped on a node re-attaches that end, the
// middle third moves the work (or the selection holding it) to another row.
// A drag that would close a loop shows "网络图不能有回路!" and changes
// nothing. Returns 1 when the network was changed (and laid out again).
int32_t ApplyDrag(Tpertgra& net, Tedge* pressWork, TPosition2D start, TPosition2D end);

// The zone of a point on a work: 'f' front third, 'm' middle, 'b' back third.
char WorkZoneAt(const Tpertgra& net, const Tedge* work, TPosition2D p);

// Moves the end of a work to another node. The old end node is removed
// when no work touches it any more, otherwise it settles at the earliest
// time its entering works allow; so does the new end node.
void ReattachEnd(Tpertgra& net, Tedge* work, Tvertex* node);

// Moves the start of a work to another node: the work leaves its old start
// node's list and heads the new node's list, starts at the new node's time
// (pushing its end node when it now finishes later), and the old start
// node is removed when no work touches it any more.
void ReattachStart(Tpertgra& net, Tedge* work, Tvertex* node);
