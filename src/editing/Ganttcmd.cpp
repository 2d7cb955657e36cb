#include "editing/Ganttcmd.h"

#include <cmath>

#include "drawing/Framelayout.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "editing/Deletedialog.h"
#include "editing/Timedic.h"
#include "editing/Editcmd.h"
#include "editing/Relayout.h"
#include "editing/Workinsert.h"
#include "entry/Workdialogs.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

namespace {

constexpr double kShortestDrag = 8;

bool InGantt(const Tpertgra& net)
{
    return ViewKind(net) == 0;
}

Tedge* RowWork(const Tpertgra& net, TPosition2D p)
{
    return InGantt(net) ? net.liveGantt.RowAt(net, p) : nullptr;
}

void SelectOnly(Tpertgra& net, Tedge* w)
{
    ClearSelection(net);
    InsertIntoSelection(net, w);
}

// The add dialog for a Gantt gesture; the new work takes the row below the
// row under `rowPoint` and becomes current.
int32_t AddInGantt(Tpertgra& net, const TAddAnchors& anchors, TPosition2D rowPoint)
{
    const TWorkDialogOutcome out = WorkDialogs().AddWork(net, anchors);
    if (out.result != 1 || !out.changed) return 0;
    net.Recalculate();
    LayoutNetwork(net);
    if (Tedge* w = out.added) {
        if (net.liveGantt.MoveRow(net, w, rowPoint) == 1) LayoutNetwork(net);
        net.liveGantt.SetCurrentWork(w);
        SelectOnly(net, w);
    }
    return 1;
}

}  // namespace

// ---- select ---------------------------------------------------------------

int32_t TSelectGanttCmd::MouseDown(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        ResetGesture();
        finished = true;
        return 0;
    }
    if (dblClickDone) {
        // The press after a handled double click starts nothing.
        ResetGesture();
        finished = true;
        return 0;
    }
    ++presses;
    if (presses == 1) {
        pressFlags = flags;
        finished = false;
        startPoint = lastPoint = p;
    }
    return 0;
}

int32_t TSelectGanttCmd::MouseMove(Tpertgra&, int32_t, TPosition2D p, TPertDrawMode&)
{
    if (presses == 0) {
        pointer = TPointerShape::Arrow;
        return 0;
    }
    if (presses == 1) {
        bandShown = true;
        bandStart = startPoint;
        bandEnd = p;
        lastPoint = p;
    }
    return 0;
}

int32_t TSelectGanttCmd::MouseUp(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode&)
{
    bandShown = false;
    if (dblClickDone && presses > 2) {
        dblClickDone = false;
    } else if (presses == 1) {
        Tedge* w = RowWork(net, p);
        net.liveGantt.SetCurrentWork(w);
        if (w) SelectOnly(net, w);
    }
    ResetGesture();
    finished = true;
    return 0;
}

int32_t TEditGanttCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    return OpenEditDialog(net, RowWork(net, lastPoint));
}

int32_t TDelGanttCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    Tedge* w = RowWork(net, lastPoint);
    if (!w) return 0;
    if (OpenDeleteDialog(net, w) != 1) return 0;
    LayoutNetwork(net);
    return 1;
}

int32_t TtimedicGanttCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    if (OpenTimedicDialog(net, RowWork(net, lastPoint)) != 1) return 0;
    LayoutNetwork(net);
    return 1;
}

// ---- add ------------------------------------------------------------------

TPosition2D TAddWorkGanttCmd::NetworkPoint(const Tpertgra& net, TPosition2D g)
{
    const Tgantt& gantt = net.liveGantt;
    const double day = std::max(0.0, gantt.scaleIntervals.DayOfX(g.x - gantt.ChartLeft()));
    const TTimeAxis axis(net);
    const double y = Y0(net) + (MaxRow(net) + 1) * RowHeight(net);
    return {axis.XOfTime(day), y};
}

int32_t TAddWorkGanttCmd::MouseMove(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (presses == 0) {
        gestureMode = 'a';
        pointer = TPointerShape::Arrow;
        return 0;
    }
    if (presses == 1) {
        bandShown = (flags & mfLeft) != 0;
        infoShown = bandShown;
        bandStart = startPoint;
        bandEnd = p;
        lastPoint = p;
        pointer = TPointerShape::Arrow;
    }
    return 0;
}

std::array<std::string, 3> TAddWorkGanttCmd::GestureInfo(const Tpertgra& net) const
{
    return InfoTexts(net, NetworkPoint(net, startPoint), NetworkPoint(net, lastPoint));
}

int32_t TAddWorkGanttCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    bandShown = infoShown = false;
    if (dblClickDone) {
        ResetGesture();
        return 0;
    }
    if (presses >= 3) {
        ResetGesture();
        return 0;
    }
    lastPoint = p;
    if (presses != 1) return 0;   // the gesture goes on
    const TPosition2D from = startPoint;
    ResetGesture();
    if (!(flags & mfLeft) || !InGantt(net)) return 0;
    if (std::abs(from.x - p.x) <= kShortestDrag) return 0;
    // A drag between two days of the chart: a free work over those days.
    TAddAnchors a;
    a.kind = TAddAnchors::Points;
    a.start = NetworkPoint(net, from.x <= p.x ? from : p);
    a.end = NetworkPoint(net, from.x <= p.x ? p : from);
    a.entry = {};
    return AddInGantt(net, a, p);
}

int32_t TAddWorkGanttCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    if (!InGantt(net)) return 0;
    const TPosition2D p{std::trunc(lastPoint.x), std::trunc(lastPoint.y)};
    TAddAnchors a;
    a.kind = TAddAnchors::GanttPoint;
    a.start = a.entry = a.end = NetworkPoint(net, p);
    return AddInGantt(net, a, p);
}

// ---- row drag -------------------------------------------------------------

int32_t CMoveGanttEdge::MouseDown(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode&)
{
    ++presses;
    if (presses == 1) {
        if (InGantt(net)) {
            pressWork = RowWork(net, p);
            startPoint = lastPoint = p;
            lastTarget = pressWork;
        }
    } else if (presses == 2) {
        presses = 0;
        finished = false;
    }
    return 0;
}

int32_t CMoveGanttEdge::MouseMove(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode&)
{
    if (presses == 0) {
        pointer = InGantt(net) && net.liveGantt.NumberCellAt(net, p) ? TPointerShape::MoveAll
                                                                    : TPointerShape::Arrow;
        return 0;
    }
    if (presses == 1 && InGantt(net)) {
        if (!pressWork) return 0;
        lastTarget = RowWork(net, p);
        pointer = TPointerShape::Drag;
        lastPoint = p;
        return 0;
    }
    pointer = TPointerShape::Arrow;
    return 0;
}

int32_t CMoveGanttEdge::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        presses = 0;
        pointer = TPointerShape::Arrow;
        return 0;
    }
    int32_t r = 0;
    if (presses == 1 && InGantt(net)) {
        if (pressWork) r = net.liveGantt.MoveRow(net, pressWork, p);
        if (r == 1) LayoutNetwork(net);
        if (pressWork) {
            net.liveGantt.SetCurrentWork(pressWork);
            SelectOnly(net, pressWork);
        }
    }
    presses = 0;
    finished = true;
    lastTarget = nullptr;
    return r;
}

int32_t CMoveGanttEdge::DoubleClick(Tpertgra&, TPertDrawMode&)
{
    return 0;
}

void CMoveGanttEdge::DrawFeedback(const Tpertgra& net, ICanvas& canvas,
                                  const TPertDrawMode& mode) const
{
    if (presses != 1 || !pressWork || lastTarget == pressWork || !InGantt(net)) return;
    TPertDrawMode m = mode;
    m.canvas = &canvas;
    net.liveGantt.DrawDropMarker(net, pressWork, m);
    net.liveGantt.DrawDropMarker(net, lastTarget, m);
}
