#include "editing/Selectcmd.h"

#include <algorithm>
#include <cmath>

#include "drawing/Framelayout.h"
#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Applydrag.h"
#include "editing/Hitpoint.h"
#include "editing/Selection.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"

namespace {

constexpr int32_t kBandColor = 0xFFFFFF;
constexpr int32_t kMarkerColor = 0xFFFF00;  // RGB (0, 255, 255) as stored

char ModeOfHit(const std::string& hit)
{
    if (hit == "node" || hit == "f" || hit == "b") return 'e';
    if (hit == "m") return 'm';
    return 's';
}

}  // namespace

void TSelectCmd::ResetGesture()
{
    Reset();
    gestureMode = 's';
    pressFlags = 1;
    pressNode = nullptr;
    pressWork = nullptr;
    bandShown = linkShown = markerShown = moveShown = false;
}

int32_t TSelectCmd::MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        ResetGesture();
        finished = true;
        return 0;
    }
    if (dblClickDone) ResetGesture();
    ++presses;
    lastNode = nullptr;
    if (presses == 1) {
        pressFlags = flags;
        finished = false;
        startPoint = p;
        pressNode = net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
        if (pressNode) startPoint = {double(pressNode->x), double(pressNode->y)};
        pressWork = HitAtPoint(net, p).work;
        if (pressWork && SnapsToWorkLine()) startPoint.y = TWorkGeometry::Of(*pressWork).lineY;
        lastPoint = startPoint;
    }
    return 0;
}

int32_t TSelectCmd::MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (presses == 0) {
        const std::string hit = HitAtPoint(net, p).hitClass;
        gestureMode = ModeOfHit(hit);
        pointer = PointerShapeOfHit(hit);
        return 0;
    }
    if (presses == 1) {
        const bool dragging = !(flags & mfShift) && (flags & mfLeft);
        bandShown = dragging && gestureMode == 's';
        linkShown = dragging && gestureMode == 'e';
        markerShown = linkShown || (pressFlags & mfCtrl);
        moveShown = dragging && gestureMode == 'm' && pressWork;
        bandStart = startPoint;
        bandEnd = p;
        lastNode = net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
        lastPoint = p;
        if (pressFlags & mfCtrl) pointer = lastNode ? TPointerShape::Hand : TPointerShape::Drag;
        else pointer = lastNode ? TPointerShape::Hand : TPointerShape::Arrow;
    }
    return 0;
}

int32_t TSelectCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    bandShown = linkShown = markerShown = moveShown = false;
    if (dblClickDone || presses >= 3 || presses == 0) {
        ResetGesture();
        return 0;
    }
    lastPoint = p;
    const char mode = gestureMode;
    const TPosition2D from = startPoint;
    Tedge* work = pressWork;
    const bool moved = !(from == lastPoint);
    if (presses == 2) {
        // The second click of a Ctrl gesture names the target of the drag.
        const bool apply = (pressFlags & mfCtrl) && (flags & mfLeft);
        ResetGesture();
        if (!apply || !moved) return 0;
        return DragReleased(net, work, from, lastPoint);
    }
    if (flags & mfShift) {
        ResetGesture();
        return 0;
    }
    if (pressFlags & mfCtrl) return 0;  // the gesture waits for the target click
    ResetGesture();
    if (!(flags & mfLeft)) return 0;
    if (mode == 's') return BandReleased(net, from, lastPoint, moved);
    if (moved) return DragReleased(net, work, from, lastPoint);
    if (work) {
        // A click on a work line selects that work alone.
        ClearSelection(net);
        InsertIntoSelection(net, work);
    }
    return 0;
}

int32_t TSelectCmd::BandReleased(Tpertgra& net, TPosition2D from, TPosition2D to, bool moved)
{
    if (moved) SelectInRect(net, from, to);
    else ClearSelection(net);
    return 0;
}

int32_t TSelectCmd::DragReleased(Tpertgra& net, Tedge* work, TPosition2D from, TPosition2D to)
{
    const int32_t view = ViewKind(net);
    if (view != 1 && view != 2) return 0;
    return ApplyDrag(net, work, from, to) == 1 ? 1 : 0;
}

int32_t TSelectCmd::DoubleClick(Tpertgra&, TPertDrawMode&)
{
    return 0;
}

void TSelectCmd::DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode&) const
{
    if (!bandShown && !linkShown && !markerShown && !moveShown) return;
    TCanvasStateSaver keep(canvas);
    TCanvasPen pen;
    pen.color = kBandColor;
    pen.width = 0;
    pen.style = TPenStyle::Dot;
    pen.mode = TPenMode::Xor;
    canvas.SetPen(pen);
    TCanvasBrush brush;
    brush.style = TBrushStyle::Clear;
    canvas.SetBrush(brush);
    if (bandShown) {
        const int32_t l = static_cast<int32_t>(std::min(bandStart.x, bandEnd.x));
        const int32_t r = static_cast<int32_t>(std::max(bandStart.x, bandEnd.x));
        const int32_t t = static_cast<int32_t>(std::min(bandStart.y, bandEnd.y));
        const int32_t b = static_cast<int32_t>(std::max(bandStart.y, bandEnd.y));
        canvas.Rectangle({l, t, r + 1, b + 1});
    }
    if (moveShown && pressWork) {
        // The dragged work, or every selected work when it is selected,
        // shifted by the vertical distance of the pointer from its line.
        const double dy = lastPoint.y - startPoint.y;
        std::vector<const Tedge*> shown;
        if (IsSelected(net, pressWork)) shown.assign(net.selection.begin(), net.selection.end());
        else shown.push_back(pressWork);
        for (const Tedge* w : shown) {
            const TWorkGeometry g = TWorkGeometry::Of(*w);
            const int32_t y = static_cast<int32_t>(g.lineY + dy);
            canvas.Line(static_cast<int32_t>(g.fromX), y, static_cast<int32_t>(g.toX), y);
        }
    }
    if (linkShown) {
        TCanvasPen line;
        line.color = kBandColor;
        line.mode = TPenMode::Xor;
        canvas.SetPen(line);
        double y = lastPoint.y;
        const bool level = !lastNode && std::abs(lastPoint.y - startPoint.y) < RowHeight(net) / 3 &&
                           (!pressNode || !pressNode->firstWork);
        if (level) y = startPoint.y;
        canvas.Line(static_cast<int32_t>(startPoint.x), static_cast<int32_t>(startPoint.y),
                    static_cast<int32_t>(lastPoint.x), static_cast<int32_t>(y));
    }
    if (markerShown) {
        // The press marker: a white square on the press point.
        TCanvasPen marker;
        marker.color = kMarkerColor;
        canvas.SetPen(marker);
        TCanvasBrush white;
        white.color = 0xFFFFFF;
        canvas.SetBrush(white);
        const int32_t sx = static_cast<int32_t>(startPoint.x), sy = static_cast<int32_t>(startPoint.y);
        canvas.Rectangle({sx - 4, sy - 4, sx + 4, sy + 4});
    }
}
