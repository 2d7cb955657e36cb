#include "model/Vertex.h"

#include "model/Edge.h"

Tvertex::~Tvertex()
{
    Tedge* w = firstWork;
    while (w) {
        Tedge* next = w->nextWork;
        delete w;
        w = next;
    }
}

Tvertex* Tvertex::CopyNode() const
{
    auto* n = new Tvertex;
    n->number = number;
    n->id = id;
    n->time = time;
    n->row = row;
    n->xOffset = xOffset;
    n->inCount = inCount;
    n->outCount = outCount;
    n->critical = critical;
    n->x = x;
    n->y = y;
    n->joint = joint;
    return n;
}

bool Tvertex::SameAs(const Tvertex& o) const
{
    return id == o.id && time == o.time && row == o.row && xOffset == o.xOffset &&
           inCount == o.inCount && outCount == o.outCount && critical == o.critical &&
           x == o.x && y == o.y && joint == o.joint && Tedge::SameChain(firstWork, o.firstWork);
}
