#include "drawing/Pertdrawmode.h"

#include "platform/Canvas.h"

bool TDrawMode::ToDevice(TPosition2D&) const
{
    return true;
}

bool TDrawMode::FromDevice(TPosition2D&) const
{
    return true;
}

void TDrawMode::ApplyScreenMapping() const
{
    if (!canvas) return;
    canvas->SetMapping(TCanvasMapping::FromExtents(100, 100, zoom, zoom, -scrollX, -scrollY));
}

bool TPertDrawMode::ToDevice(TPosition2D& p) const
{
    p.x *= xFactor;
    p.y *= yFactor;
    return true;
}

bool TPertDrawMode::FromDevice(TPosition2D& p) const
{
    if (xFactor != 0) p.x /= xFactor;
    if (yFactor != 0) p.y /= yFactor;
    return true;
}
