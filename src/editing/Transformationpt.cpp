#include "editing/Transformationpt.h"

TPosition2D TpertTtransformationPt::DeviceToDrawing(TPosition2D p) const
{
    return {(p.x + scrollX) * 100 / zoom, (p.y + scrollY) * 100 / zoom};
}

TPosition2D TpertTtransformationPt::DrawingToDevice(TPosition2D p) const
{
    return {p.x * zoom / 100 - scrollX, p.y * zoom / 100 - scrollY};
}
