#include "drawing/Workgeometry.h"

#include "model/Edge.h"

TWorkGeometry TWorkGeometry::Of(const Tedge& work)
{
    const auto& l = work.lineGeom;
    TWorkGeometry g;
    g.fromX = l[0];
    g.fromY = l[1];
    g.lineStartX = l[2];
    g.startJoinY = l[3];
    g.lineEndX = l[4];
    g.endJoinY = l[5];
    g.toX = l[6];
    g.toY = l[7];
    g.lineY = work.nameGeom[1];
    return g;
}

void TWorkGeometry::StoreInto(Tedge& work) const
{
    work.lineGeom = {fromX, fromY, lineStartX, startJoinY, lineEndX, endJoinY, toX, toY};
    work.nameGeom = {lineStartX, lineY, lineEndX, lineY};
}
