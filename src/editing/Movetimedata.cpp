#include "editing/Movetimedata.h"

#include "drawing/Networkhit.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "editing/Timedic.h"
#include "model/Pertgra.h"

int32_t CMovetimedata::MouseDown(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode& mode)
{
    ++presses;
    if (presses == 1) {
        pressWork = TimeLabelAt(net, p, mode);
        pressPoint = lastPoint = p;
        finished = false;
    } else {
        // A second press ends the gesture.
        presses = 0;
        finished = true;
        pressWork = nullptr;
    }
    return 0;
}

int32_t CMovetimedata::MouseMove(Tpertgra& net, int32_t, TPosition2D p, TPertDrawMode& mode)
{
    if (presses == 0) {
        pointer = TimeLabelAt(net, p, mode) ? TPointerShape::Drag : TPointerShape::Arrow;
        finished = true;
        return 0;
    }
    if (presses == 1) lastPoint = p;
    return 0;
}

int32_t CMovetimedata::MouseUp(Tpertgra&, int32_t, TPosition2D p, TPertDrawMode&)
{
    int32_t result = 0;
    if (presses == 1 && pressWork) {
        OffsetTimeLabel(pressWork, int32_t(p.x - pressPoint.x), int32_t(p.y - pressPoint.y));
        result = 1;
    }
    presses = 0;
    finished = true;
    pressWork = nullptr;
    return result;
}

int32_t CMovetimedata::DoubleClick(Tpertgra&, TPertDrawMode&)
{
    return 0;
}

void CMovetimedata::DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const
{
    if (presses != 1 || !pressWork) return;
    TPertDrawMode m(&canvas, dkDrag, mode.xFactor, mode.yFactor);
    TPertDraw draw(const_cast<Tpertgra&>(net), m);
    draw.DrawTimeLabel(*pressWork, int32_t(lastPoint.x - pressPoint.x),
                       int32_t(lastPoint.y - pressPoint.y));
}
