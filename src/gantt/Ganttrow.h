#pragma once

// The row of a work in the Gantt table. Its cells and layout values come
// with the Gantt chart; the base is empty until then.
class TGanttEdgeRow {
public:
    virtual ~TGanttEdgeRow() = default;
};
