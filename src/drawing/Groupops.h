#pragma once
#include <cstdint>

#include "drawing/Fenzu.h"
#include "model/Pertgra.h"

// The cells of the group column (net.groups.items, top first).

// A copy of the cell at index; a default cell when there is none.
Tfenzu GroupAt(const Tpertgra& net, int32_t index);
// A copy goes below the last cell, placed there and as wide as the column.
void AppendGroup(Tpertgra& net, const Tfenzu& group);
// A copy goes before the cell at index (clamped to the list).
void InsertGroup(Tpertgra& net, int32_t index, const Tfenzu& group);
// The cell at index becomes a copy of group; nothing for an index outside the list.
void ReplaceGroup(Tpertgra& net, int32_t index, const Tfenzu& group);
// Removes the cell at index; nothing for an index outside the list.
void DeleteGroup(Tpertgra& net, int32_t index);
// Stacks the cells from the drawing's origin down and gives each the
// column's width, so the hit tests and the drawing see the same cells.
void StackGroups(Tpertgra& net);
