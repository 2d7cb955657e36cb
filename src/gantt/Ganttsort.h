#pragma once

class Tpertgra;

// The two sorts of the Gantt table. Both renumber every work of the network
// (workNo 1, 2, ...), of every kind; the Gantt rows follow the numbers.

// By planned start: the order of AllWorks, sorted again by start with a
// stable insertion in which a work moves ahead of an earlier one only when
// its start is smaller by more than 1e-8.
void SortByStart(Tpertgra& net);
// By group: the groups by ascending number, each with its works in the
// order of AllWorks.
void SortByGroup(Tpertgra& net);
