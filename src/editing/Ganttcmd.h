#pragma once
#include <cstdint>

#include "editing/Addworkcmd.h"
#include "editing/Selectcmd.h"

struct TAddAnchors;

// The tools of the Gantt view work on rows: the work at a point is the work
// of the table row under it.

// Select: a click (or a drag, whose band is only feedback) makes the work
// of the row under the release point current and the only selected work.
class TSelectGanttCmd : public TSelectCmd {
public:
    int32_t Kind() const override { return ckSelectGantt; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
};

// Edit: a double click on a row opens the work dialog for its work.
class TEditGanttCmd : public TSelectGanttCmd {
public:
    int32_t Kind() const override { return ckEditGantt; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// Delete: a double click on a row opens the delete dialog for its work.
class TDelGanttCmd : public TSelectGanttCmd {
public:
    int32_t Kind() const override { return ckDelGantt; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// Time difference: a double click on a row opens "时差调整" for its work.
class TtimedicGanttCmd : public TSelectGanttCmd {
public:
    int32_t Kind() const override { return ckTimedicGantt; }
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
};

// Add: a drag over the chart adds a work between the days under its ends;
// a double click adds a free work in the row below the row under the point.
class TAddWorkGanttCmd : public TAddWorkCmd {
public:
    int32_t Kind() const override { return ckAddWorkGantt; }
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;

    // The point of the network drawing that stands for a Gantt point: the
    // x of the same day on the network's time axis, below every row.
    static TPosition2D NetworkPoint(const Tpertgra& net, TPosition2D ganttPoint);

protected:
    // The dates of the box read on the chart's own time scale.
    std::array<std::string, 3> GestureInfo(const Tpertgra& net) const override;
};

// The row drag, the hover command over a row's number cell: dropped on
// another row the work moves below it and the works are renumbered.
class CMoveGanttEdge : public TSelectCmd {
public:
    Tedge* lastTarget = nullptr;   // the row under the pointer at the last move

    int32_t Kind() const override { return ckMoveGanttEdge; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    // The drop markers of the source row and the row under the pointer
    // while they differ.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;
};
