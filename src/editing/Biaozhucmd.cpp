#include "editing/Biaozhucmd.h"

#include <algorithm>

#include "drawing/Biaozhu.h"
#include "drawing/Biaozhudraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Setbiaozhu.h"
#include "drawing/Timeaxis.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"

namespace {

// The smallest new annotation, in device pixels.
constexpr double kMinPixels = 5;

// The dotted exclusive-or rectangle of the rubber bands, corners in drawing
// units (the canvas carries the zoom mapping).
void Band(ICanvas& canvas, const TPertDrawMode& mode, TPosition2D a, TPosition2D b)
{
    TCanvasStateSaver keep(canvas);
    canvas.SetPen(TCanvasPen{0xFFFFFF, 1, TPenStyle::Dot, TPenMode::Xor});
    canvas.SetBrush(TCanvasBrush{0xFFFFFF, TBrushStyle::Clear});
    const int32_t l = mode.DevX(std::min(a.x, b.x)), r = mode.DevX(std::max(a.x, b.x));
    const int32_t t = mode.DevY(std::min(a.y, b.y)), d = mode.DevY(std::max(a.y, b.y));
    canvas.Rectangle(TCanvasRect{l, t, r, d});
}

}  // namespace

int32_t CCreateBiaozhu::MouseDown(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        presses = 0;
        finished = true;
        dragging_ = false;
        return 0;
    }
    if (presses > 0) presses = 0;
    ++presses;
    if (presses == 1) {
        startPoint = lastPoint = p;
        finished = false;
        dragging_ = false;
    }
    return 0;
}

int32_t CCreateBiaozhu::MouseMove(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        presses = 0;
        finished = true;
        dragging_ = false;
        return 0;
    }
    lastPoint = p;
    dragging_ = presses == 1;
    return 0;
}

int32_t CCreateBiaozhu::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    int32_t result = 0;
    if ((flags & mfLeft) && presses == 1) {
        const double zoom = mode.zoom > 0 ? mode.zoom : 100;
        const double minSize = kMinPixels * 100 / zoom;
        if (startPoint.x + minSize <= p.x && startPoint.y + minSize <= p.y) {
            std::unique_ptr<TBiaoZhu> a = NewAnnotation(net, startPoint, p);
            if (a && EditAnnotation(*a)) {
                net.annotations.push_back(std::move(a));
                result = 1;
            }
        }
    }
    presses = 0;
    finished = true;
    dragging_ = false;
    return result;
}

int32_t CCreateBiaozhu::DoubleClick(Tpertgra&, TPertDrawMode&)
{
    presses = 0;
    finished = true;
    dragging_ = false;
    return 0;
}

void CCreateBiaozhu::DrawFeedback(const Tpertgra&, ICanvas& canvas, const TPertDrawMode& mode) const
{
    if (dragging_ && presses == 1) Band(canvas, mode, startPoint, lastPoint);
}

int32_t CMoveBiaoZhu::MouseDown(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (flags & mfLeft) ++presses;
    // The start point is also where the popup menu looks for the annotation.
    startPoint = lastPoint = p;
    finished = false;
    dragging_ = false;
    if (presses != 1) {
        presses = 0;
        finished = true;
    }
    hovering_ = false;
    return 0;
}

int32_t CMoveBiaoZhu::MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) {
        const TBiaoZhu* a = AnnotationAt(net, p);
        if (a) {
            pointer = OnCorner(*a, net, p) ? TPointerShape::SizeFDiag : TPointerShape::MoveAll;
            hovering_ = true;
            hoverPoint_ = p;
        } else {
            pointer = TPointerShape::Arrow;
            hovering_ = false;
            finished = true;
        }
        return 0;
    }
    if (presses == 1) {
        lastPoint = p;
        dragging_ = true;
    } else if (presses == 2) {
        presses = 0;
        finished = true;
        dragging_ = false;
    }
    return 0;
}

int32_t CMoveBiaoZhu::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    int32_t result = 0;
    if (dblClickDone) {
        dblClickDone = false;
    } else if ((flags & mfLeft) && presses == 1) {
        if (TBiaoZhu* a = AnnotationAt(net, startPoint)) {
            const TBiaoZhu before = *a;
            if (OnCorner(*a, net, startPoint)) ResizeTo(*a, net, p);
            else MoveBy(*a, net, startPoint, p);
            // A click that leaves the box where it was is no change.
            if (!(*a == before)) result = 1;
        }
    }
    presses = 0;
    finished = true;
    dragging_ = false;
    return result;
}

int32_t CMoveBiaoZhu::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    bool changed = false;
    if (TBiaoZhu* a = AnnotationAt(net, lastPoint)) EditAnnotation(*a, &changed);
    presses = 0;
    finished = true;
    dragging_ = false;
    return changed ? 1 : 0;
}

void CMoveBiaoZhu::DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const
{
    TPertDrawMode m(&canvas, dkScreen, mode.xFactor, mode.yFactor);
    if (dragging_ && presses == 1) {
        const TBiaoZhu* a = AnnotationAt(net, startPoint);
        if (!a) return;
        const auto box = ShownBox(*a, net);
        if (!box) return;
        if (OnCorner(*a, net, startPoint)) {
            Band(canvas, mode, {box->left, box->top}, lastPoint);
            return;
        }
        // A framed copy at the pointer's place, drawn as a dotted outline.
        if (!(RowHeight(net) >= 1)) return;
        TBiaoZhu moved = *a;
        moved.hasFrame = true;
        const double dx = lastPoint.x - startPoint.x, dy = lastPoint.y - startPoint.y;
        const TAnnotationBox at{box->left + dx, box->top + dy, box->right + dx, box->bottom + dy};
        TCanvasStateSaver keep(canvas);
        m.DrawKind = dkDrag;
        DrawAnnotation(moved, at, m);
        return;
    }
    if (!hovering_ || presses != 0) return;
    if (const TBiaoZhu* a = AnnotationAt(net, hoverPoint_)) {
        TCanvasStateSaver keep(canvas);
        DrawAnnotationHandle(*a, net, m);
    }
}
