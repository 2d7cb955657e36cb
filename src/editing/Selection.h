#pragma once
#include <vector>

#include "model/Position2d.h"

class Tedge;
class Tpertgra;

// The selection operations of the network.
// Replaces the selection by the works inside the rectangle of the two
// corners: start x at most the right side, end x at least the left side,
// line y strictly between top and bottom.
void SelectInRect(Tpertgra& net, TPosition2D a, TPosition2D b);
// Inserts a work keeping the order: by row, smallest first; within a row a
// critical work goes before the works already there.
void InsertIntoSelection(Tpertgra& net, Tedge* work);
// Puts works in the selection order at once, as inserting them one by one
// in the given order would: by row; within a row critical works in front in
// reverse order of arrival, then the others in order of arrival.
void OrderAsSelection(std::vector<Tedge*>& works);
bool IsSelected(const Tpertgra& net, const Tedge* work);
void ClearSelection(Tpertgra& net);
