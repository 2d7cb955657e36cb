#pragma once
#include <vector>

#include "model/Ganttcell.h"

// The row of a work in the Gantt table: the cells the last layout built for
// it while it was on the page. Not stored and not copied with the work.
class TGanttEdgeRow {
public:
    virtual ~TGanttEdgeRow() = default;
    std::vector<TGanttCell> cells;
};
