#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Position2d.h"

class Tpertgra;
class Tedge;

// Drags the lower edge of the group cell at the press point p to the row
// boundary at or below the release point q (rows are opened and closed so
// that the cell's band ends on an empty row boundary). 1 when changed; 0
// when p is off every lower edge, q lies below the network area, or the
// cell would end at or above its own top (nothing changes then).
int32_t MoveGroupEdge(Tpertgra& net, TPosition2D p, TPosition2D q);

// The blank-row actions at a drawing y: the row between the row line above
// y and the one below it (the first row above the rows). Both lay the
// network out again and give 1 when a row moved.
int32_t InsertBlankRowAt(Tpertgra& net, double y);
// Removes that row when it holds no work, else the row above it when that
// is at or below the first row and holds none; otherwise 0.
int32_t RemoveBlankRowAt(Tpertgra& net, double y);

// The distinct group numbers of AllWorks, in order of first appearance.
std::vector<int32_t> GroupNumbers(const Tpertgra& net);
// For each of those numbers the group name of its first work.
std::vector<std::string> GroupNames(const Tpertgra& net);
// The works of AllWorks by ascending group number, in their order within a number.
std::vector<Tedge*> WorksByGroup(const Tpertgra& net);

// Two different works that may trade their data: a milestone only with a milestone.
bool CanExchange(const Tedge* a, const Tedge* b);
// The two works trade their whole data records and keep their places in
// the network; the end nodes follow the durations the works take, and the
// network is recalculated and laid out. 1 when traded.
int32_t ExchangeWorks(Tpertgra& net, Tedge* a, Tedge* b);
