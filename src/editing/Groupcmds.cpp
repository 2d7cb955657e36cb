#include "editing/Groupcmds.h"

#include <cmath>

#include "drawing/Framelayout.h"
#include "editing/Relayout.h"
#include "drawing/Networkhit.h"
#include "drawing/Timeaxis.h"
#include "editing/Groupedit.h"
#include "model/Pertgra.h"
#include "platform/Canvas.h"
#include "platform/Messagebox.h"

int32_t CMovefenzu::MouseDown(Tpertgra&, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    if (!(flags & mfLeft)) return 0;
    ++presses;
    if (presses > 1) {
        // A second press ends the gesture without a change.
        presses = 0;
        finished = false;
        lineShown = false;
        return 0;
    }
    finished = false;
    pressPoint = previousPoint = currentPoint = p;
    return 0;
}

int32_t CMovefenzu::MouseMove(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode&)
{
    currentPoint = p;
    if (presses == 0) {
        pointer = PointerShapeOfHit(HitTestNetwork(net, p).hitClass);
        finished = true;
        return 0;
    }
    if (presses == 1) {
        if (GroupEdgeAt(net, pressPoint) >= 0) {
            pointer = TPointerShape::SplitV;
            lineShown = true;
        } else if (GroupIndexAt(net, pressPoint) >= 0) {
            pointer = TPointerShape::GroupMove;
        }
        previousPoint = p;
    }
    return 0;
}

int32_t CMovefenzu::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode&)
{
    releasePoint = p;
    lineShown = false;
    if (presses != 1 || !(flags & mfLeft)) {
        presses = 0;
        return 0;
    }
    const int32_t r = MoveGroupEdge(net, pressPoint, releasePoint);
    if (r == 1) LayoutNetwork(net);
    presses = 0;
    finished = true;
    return r;
}

void CMovefenzu::DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode&) const
{
    if (!lineShown || presses != 1) return;
    const TTimeAxis axis(net);
    const TFrameLayout l = TFrameLayout::Of(net, axis, 1.0, 1.0);
    TCanvasStateSaver keep(canvas);
    TCanvasPen pen;
    pen.color = 0xFFFF00;
    pen.width = 1;
    pen.mode = TPenMode::Xor;
    canvas.SetPen(pen);
    const int32_t y = static_cast<int32_t>(currentPoint.y);
    canvas.Line(l.leftEdge, y, l.rightEdge, y);
}

int32_t Ckonghang::MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    if (flags & mfLeft) shiftAtPress = (flags & mfShift) != 0;
    return TSelectCmd::MouseDown(net, flags, p, mode);
}

int32_t Ckonghang::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    const double y = std::trunc(startPoint.y);
    const int32_t r = shiftAtPress ? RemoveBlankRowAt(net, y) : InsertBlankRowAt(net, y);
    finished = true;
    presses = 0;
    dblClickDone = true;
    return r;
}

namespace {

// The work is still one of the network's; the pointer is only compared, so
// a pick deleted meanwhile is never read.
bool HoldsWork(const Tpertgra& net, const Tedge* work)
{
    if (!work) return false;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w == work) return true;
    return false;
}

}  // namespace

std::string ExchangeQuestion(const Tedge& first, const Tedge& second)
{
    return "真的要交换“" + first.data->name + "”\r与“" + second.data->name + "”吗?";
}

int32_t TJiaohuanCmd::MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    if (stage != 0) return 0;
    return TSelectCmd::MouseDown(net, flags, p, mode);
}

int32_t TJiaohuanCmd::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    if (stage != 0) return 0;
    return TSelectCmd::MouseUp(net, flags, p, mode);
}

int32_t TJiaohuanCmd::MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    if (stage == 0) {
        firstPick = WorkAtPoint(net, p);
        firstNet = &net;
        return TSelectCmd::MouseMove(net, flags, p, mode);
    }
    secondPick = WorkAtPoint(net, p);
    secondNet = &net;
    if (firstPick) pointer = secondPick ? TPointerShape::SplitV : TPointerShape::Drag;
    return 0;
}

int32_t TJiaohuanCmd::DoubleClick(Tpertgra& net, TPertDrawMode&)
{
    dblClickDone = true;
    if (stage == 0) {
        stage = 1;
        if (firstPick) pointer = TPointerShape::Drag;
        return 0;
    }
    int32_t r = 0;
    // Picks from another network, or deleted since, are refused.
    const bool alive = firstNet == &net && secondNet == &net && HoldsWork(net, firstPick) &&
                       HoldsWork(net, secondPick);
    if (alive && CanExchange(firstPick, secondPick)) {
        const std::string q = ExchangeQuestion(*firstPick, *secondPick);
        if (Messages().Show(q, "警告", TMsgIcon::Question, TMsgButtons::YesNo) == TMsgAnswer::Yes)
            r = ExchangeWorks(net, firstPick, secondPick);
    }
    pointer = TPointerShape::Arrow;
    presses = 0;
    stage = 0;
    firstPick = secondPick = nullptr;
    firstNet = secondNet = nullptr;
    return r;
}
