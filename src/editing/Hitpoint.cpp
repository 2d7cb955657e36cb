#include "editing/Hitpoint.h"

#include "model/Pertgra.h"

TPointHit HitAtPoint(const Tpertgra& net, TPosition2D p)
{
    TPointHit h;
    if (net.FindNodeAt(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y))) h.hitClass = "node";
    return h;
}
