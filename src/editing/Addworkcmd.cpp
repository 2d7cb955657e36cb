#include "editing/Addworkcmd.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Applydrag.h"
#include "editing/Hitpoint.h"
#include "editing/Relayout.h"
#include "editing/Workinsert.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"

namespace {

constexpr int32_t kBoxWidth = 222;
constexpr int32_t kBoxHeight = 50;
constexpr int32_t kBoxBlue = 0xFF0000;     // RGB (0, 0, 255) as stored: blue in the high byte
constexpr int32_t kWhite = 0xFFFFFF;
constexpr double kShortestDrag = 8;

char AddModeOfHit(const std::string& hit)
{
    if (hit == "f" || hit == "b") return 'e';
    if (hit == "m") return 'm';
    return 'a';
}

Tvertex* NodeAt(const Tpertgra& net, TPosition2D p)
{
    return net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
}


bool IsOrigin(TPosition2D p)
{
    return p.x == 0 && p.y == 0;
}

}  // namespace

int32_t OpenAddDialog(Tpertgra& net, const TAddAnchors& anchors)
{
    const TWorkDialogOutcome out = WorkDialogs().AddWork(net, anchors);
    if (out.result != 1 || !out.changed) return 0;
    // The time parameters at once: a plan drawn from a later day starts at
    // its first day now, as it will after any undo, redo or reopening.
    net.Recalculate();
    LayoutNetwork(net);
    return 1;
}

void TAddWorkCmd::ResetGesture()
{
    TSelectCmd::ResetGesture();
    gestureMode = 'a';
    bandEnd = {};
    infoShown = false;
}

int32_t TAddWorkCmd::MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    Tvertex* over = NodeAt(net, p);
    if (!over) bandEnd = {};
    else if (IsOrigin(bandEnd)) bandEnd = p;
    if (presses == 0) {
        const std::string hit = HitAtPoint(net, p).hitClass;
        gestureMode = AddModeOfHit(hit);
        pointer = PointerShapeOfHit(hit);
        return 0;
    }
    if (presses == 1) {
        const bool dragging = !(pressFlags & mfCtrl) && (flags & mfLeft);
        infoShown = dragging && gestureMode == 'a';
        linkShown = dragging && (gestureMode == 'a' || gestureMode == 'e');
        markerShown = linkShown || (pressFlags & mfCtrl);
        lastNode = over;
        lastPoint = p;
        if (pressFlags & mfCtrl) pointer = over ? TPointerShape::Hand : TPointerShape::Drag;
        else pointer = over ? TPointerShape::Hand : TPointerShape::Arrow;
    }
    return 0;
}

int32_t TAddWorkCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    infoShown = false;
    linkShown = markerShown = false;
    if (dblClickDone || presses == 0 || presses >= 3) {
        ResetGesture();
        return 0;
    }
    lastPoint = p;
    const TPosition2D from = startPoint;
    const TPosition2D entry = bandEnd;
    Tedge* work = pressWork;
    const char gesture = gestureMode;
    if (presses == 2) {
        // The second click of a Ctrl gesture adds only when it lands on a node.
        const bool add = (pressFlags & mfCtrl) && (flags & mfLeft) && NodeAt(net, p);
        ResetGesture();
        if (!add) return 0;
        return AddGesture(net, from, entry, p) == 1 ? 1 : 0;
    }
    if (flags & mfShift) {
        ResetGesture();
        return 0;
    }
    if (pressFlags & mfCtrl) return 0;   // the gesture waits for the target click
    ResetGesture();
    if (!(flags & mfLeft)) return 0;
    if (gesture == 'm') {
        // A row move: from the work's line, as the select tool snaps it.
        if (!work) return 0;
        const TPosition2D onLine{from.x, double(TWorkGeometry::Of(*work).lineY)};
        if (onLine == p) return 0;
        return ApplyDrag(net, work, onLine, p);
    }
    (void)mode;
    return AddGesture(net, from, entry, p) == 1 ? 1 : 0;
}

int32_t TAddWorkCmd::AddGesture(Tpertgra& net, TPosition2D start, TPosition2D entry,
                                TPosition2D end)
{
    Tvertex* startNode = NodeAt(net, start);
    Tvertex* endNode = NodeAt(net, end);
    Tedge* work = HitAtPoint(net, start).work;
    if (work && !startNode) return ApplyDrag(net, work, start, end) == 1 ? 1 : 0;
    if (startNode && !endNode && end.x <= start.x) return -1;
    TAddAnchors anchors;
    anchors.kind = TAddAnchors::Points;
    anchors.start = start;
    anchors.entry = entry;
    anchors.end = end;
    anchors.startNode = startNode;
    anchors.endNode = endNode;
    if (startNode && endNode && startNode != endNode) {
        if (net.Reaches(endNode, startNode)) {
            ShowWarning("网络图不能有回路！");
            return 0;
        }
        return OpenAddDialog(net, anchors);
    }
    const double x0 = startNode ? startNode->x : start.x;
    if (std::abs(x0 - end.x) > kShortestDrag) return OpenAddDialog(net, anchors);
    return 0;
}

int32_t TAddWorkCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    const TPosition2D p = lastPoint;
    TAddAnchors anchors;
    if (Tvertex* node = NodeAt(net, p)) {
        if (node->joint) return 0;
        anchors.kind = TAddAnchors::Node;
        anchors.node = node;
        anchors.startNode = node;
        return OpenAddDialog(net, anchors);
    }
    const TPointHit hit = HitAtPoint(net, p);
    if (Tedge* work = hit.work) {
        if (work->data->IsMilestone()) return 0;
        const TPosition2D onLine{p.x, double(TWorkGeometry::Of(*work).lineY)};
        const char zone = WorkZoneAt(net, work, onLine);
        if (zone == 'f' && work->isContinuation) return 0;
        if (zone == 'b' && work->nextSegment) return 0;
        anchors.kind = TAddAnchors::Work;
        anchors.work = work;
        anchors.zone = zone;
        anchors.start = anchors.entry = anchors.end = onLine;
        return OpenAddDialog(net, anchors);
    }
    anchors.kind = TAddAnchors::Points;
    anchors.start = anchors.entry = anchors.end = p;
    return OpenAddDialog(net, anchors);
}

std::array<std::string, 3> TAddWorkCmd::InfoTexts(const Tpertgra& net, TPosition2D press,
                                                  TPosition2D pointer)
{
    // Working time at both points; the end is where a work of the shown
    // duration from the press point finishes, as the drawing and the work
    // dialog put it.
    const double from = AddTimeAt(net, press, NodeAt(net, press));
    const double to = AddTimeAt(net, pointer, NodeAt(net, pointer));
    const double days = AddSpanDays(from, to);
    const double end = to >= from ? FinishDateOfTime(net, float(from), float(days))
                                  : StartDateOfTime(net, to);
    return {DateText(StartDateOfTime(net, from)), DateText(end),
            std::to_string(static_cast<int64_t>(days))};
}

void TAddWorkCmd::DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const
{
    TSelectCmd::DrawFeedback(net, canvas, mode);
    if (!infoShown) return;
    // The box is drawn at 1:1 whatever the zoom, anchored at the press point.
    TCanvasStateSaver keep(canvas);
    const TCanvasMapping m = canvas.Mapping();
    const int32_t left = static_cast<int32_t>(startPoint.x * m.scaleX + m.originX);
    const double lift = std::max(3 * RowHeight(net) * m.scaleY, 100.0);
    const int32_t top = static_cast<int32_t>(
        std::max(0.0, startPoint.y * m.scaleY + m.originY - lift));
    canvas.SetMapping(TCanvasMapping{});
    TCanvasPen pen;
    pen.color = kWhite;
    canvas.SetPen(pen);
    TCanvasBrush fill;
    fill.color = kBoxBlue;
    canvas.SetBrush(fill);
    canvas.Rectangle({left, top, left + kBoxWidth, top + kBoxHeight});
    const int32_t third = kBoxWidth / 3;
    canvas.Line(left + third, top, left + third, top + kBoxHeight);
    canvas.Line(left + 2 * third, top, left + 2 * third, top + kBoxHeight);
    canvas.Line(left, top + kBoxHeight / 2, left + kBoxWidth, top + kBoxHeight / 2);
    TCanvasFont font;
    font.size = 10;
    font.color = kWhite;
    canvas.SetFont(font);
    canvas.SetTextBackground(false, 0);
    TTextFormat centred;
    centred.hAlign = TTextFormat::Center;
    centred.vAlign = TTextFormat::Middle;
    centred.singleLine = true;
    const char* heads[3] = {"开始时间", "结束时间", "持续时间"};
    const std::array<std::string, 3> values = GestureInfo(net);
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t l = left + i * third, r = left + (i + 1) * third;
        canvas.DrawText({l, top, r, top + kBoxHeight / 2}, heads[i], centred);
        canvas.DrawText({l, top + kBoxHeight / 2, r, top + kBoxHeight}, values[i], centred);
    }
}
