#include "editing/Hitpoint.h"

#include "drawing/Networkhit.h"

TPointHit HitAtPoint(const Tpertgra& net, TPosition2D p)
{
    const TNetworkHit h = HitTestNetwork(net, p);
    return {h.hitClass, h.work};
}
