#include "editing/Selectcmd.h"

#include <algorithm>

#include "drawing/Workgeometry.h"
#include "editing/Hitpoint.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"

namespace {

constexpr int32_t kBandColor = 0xFFFFFF;

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
    bandShown = false;
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
        if (pressWork) startPoint.y = TWorkGeometry::Of(*pressWork).lineY;
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
        bandShown = !(flags & mfShift) && (flags & mfLeft) && gestureMode == 's';
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
    bandShown = false;
    if (dblClickDone) {
        ResetGesture();
        return 0;
    }
    if (presses >= 3 || presses == 0) {
        ResetGesture();
        return 0;
    }
    lastPoint = p;
    if (presses == 2) {
        // The second click of a Ctrl gesture: the link gestures of the editing tools.
        ResetGesture();
        return 0;
    }
    if (flags & mfShift) {
        ResetGesture();
        return 0;
    }
    if (pressFlags & mfCtrl) return 0;  // the gesture waits for the target click
    const char mode = gestureMode;
    const TPosition2D from = startPoint;
    Tedge* work = pressWork;
    const bool moved = !(from == lastPoint);
    ResetGesture();
    if (!(flags & mfLeft)) return 0;
    if (mode == 's') {
        if (moved) SelectInRect(net, from, lastPoint);
        else ClearSelection(net);
    } else if (!moved && work) {
        // A click on a work line selects that work alone.
        ClearSelection(net);
        InsertIntoSelection(net, work);
    }
    return 0;
}

int32_t TSelectCmd::DoubleClick(Tpertgra&, TPertDrawMode&)
{
    return 0;
}

void TSelectCmd::DrawFeedback(const Tpertgra&, ICanvas& canvas, const TPertDrawMode&) const
{
    if (!bandShown) return;
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
    const int32_t l = static_cast<int32_t>(std::min(bandStart.x, bandEnd.x));
    const int32_t r = static_cast<int32_t>(std::max(bandStart.x, bandEnd.x));
    const int32_t t = static_cast<int32_t>(std::min(bandStart.y, bandEnd.y));
    const int32_t b = static_cast<int32_t>(std::max(bandStart.y, bandEnd.y));
    canvas.Rectangle({l, t, r + 1, b + 1});
}

void InsertIntoSelection(Tpertgra& net, Tedge* work)
{
    std::vector<Tedge*>& sel = net.selection;
    auto it = sel.begin();
    if (work->data->critical) {
        while (it != sel.end() && (*it)->row < work->row) ++it;
    } else {
        while (it != sel.end() && (*it)->row <= work->row) ++it;
    }
    sel.insert(it, work);
}

void SelectInRect(Tpertgra& net, TPosition2D a, TPosition2D b)
{
    const double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x);
    const double minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
    ClearSelection(net);
    // Collected first and ordered once, so that a band over a large plan
    // does not insert into a long list work by work.
    std::vector<Tedge*> inside;
    for (const auto& v : net.nodes) {
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const TWorkGeometry g = TWorkGeometry::Of(*w);
            if (g.fromX <= maxX && g.toX >= minX && minY < g.lineY && g.lineY < maxY)
                inside.push_back(w);
        }
    }
    // By row; within a row critical works in front in reverse order of
    // collection, then the others in collection order: what inserting one
    // by one with the order rule gives.
    std::vector<std::pair<Tedge*, size_t>> keyed;
    keyed.reserve(inside.size());
    for (size_t i = 0; i < inside.size(); ++i) keyed.emplace_back(inside[i], i);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) {
        if (x.first->row != y.first->row) return x.first->row < y.first->row;
        const bool cx = x.first->data->critical, cy = y.first->data->critical;
        if (cx != cy) return cx;
        if (cx) return x.second > y.second;
        return false;
    });
    for (const auto& k : keyed) net.selection.push_back(k.first);
    if (!net.selection.empty()) net.liveGantt.currentWork = net.selection.front();
}

bool IsSelected(const Tpertgra& net, const Tedge* work)
{
    return std::find(net.selection.begin(), net.selection.end(), work) != net.selection.end();
}

void ClearSelection(Tpertgra& net)
{
    net.selection.clear();
}
