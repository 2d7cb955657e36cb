#pragma once
#include <cstdint>
#include <vector>

#include "model/Position2d.h"

class Tpertgra;
class Tedge;

// Moves a work to another row by a vertical drag: x and fromY are where the
// drag began, toY where it ended (drawing units). A milestone dragged above
// row 0 first gets a new top row. A drag that ends at least half a row from
// the work's line moves the work to the row under toY, or to the next row
// down when that one is taken (see the .cpp). The work's nodes follow it by
// the node-row rules and a row left without works is removed.
// Returns 1 when something changed, 0 otherwise.
int32_t MoveWorkToRow(Tpertgra& net, Tedge* work, double x, double fromY, double toY);

// Moves the selected works together by a vertical drag from start to end
// (drawing units): each work's target row is found as for a single work
// dragged by the same distance from its own line (works of the selection
// do not count as taking a row), the smallest target becomes the first
// selected work's row and every selected work moves by that many rows,
// keeping their rows relative to each other (see ShiftSelectionRows).
// Returns 1 when the works moved, 0 otherwise.
int32_t MoveSelectionRows(Tpertgra& net, const std::vector<Tedge*>& selection, TPosition2D start,
                          TPosition2D end);

// Moves the selected works down by diff rows (up when negative; never
// above row 0). Where a work would lie over a work outside the selection
// (also with diff 0), a blank row is inserted there first: every node and
// every other work on that row or below moves down one row. The works'
// nodes follow by the node-row rules and the rows the works left without
// any work are removed. Null entries, unlinked works and repeats are
// skipped. Returns 1 when anything moved, 0 otherwise.
int32_t ShiftSelectionRows(Tpertgra& net, const std::vector<Tedge*>& selection, int32_t diff);

// The row under toY that a drag from fromY would move the work to.
int32_t TargetRowOfDrag(const Tpertgra& net, const Tedge* work, double fromY, double toY);

// y of a work's line: the y of row 0 plus row x row height, truncated.
int32_t WorkLineY(const Tpertgra& net, const Tedge* work);

// The node-row rules for one work: its end node takes its row when the work
// is its only entering work; its start node takes its row when the work is
// the node's only entering and only leaving work, and otherwise, when none
// of the node's leaving works is a dummy or a milestone, takes the row of
// its earliest-finishing leaving work. Dummies and milestones move no node.
void RealignNodeRows(Tpertgra& net, const Tedge* work);

// The node-row rules for every work in the order of AllWorks, with the
// per-node answers gathered once.
void RealignAllNodeRows(Tpertgra& net);

// Removes row r when no work lies on it any more: everything on the rows
// below moves up one row. Returns true when the row was removed.
bool RemoveRowIfEmpty(Tpertgra& net, int32_t r);
