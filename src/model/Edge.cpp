#include "model/Edge.h"

#include "model/Vertex.h"

#include <vector>

void Tedge::RefreshToNodeId()
{
    if (toNode) toNodeId = toNode->id;
}

void Tedge::CopyWork(Tedge& src)
{
    RefreshToNodeId();
    src.RefreshToNodeId();
    lineGeom = src.lineGeom;
    nameGeom = src.nameGeom;
    row = src.row;
    toNodeId = src.toNodeId;
    labelDx = src.labelDx;
    labelDy = src.labelDy;
    nextSegment = src.nextSegment;
    isContinuation = src.isContinuation;
    // Same effect as a fresh copy of the record; the work's own record is reused.
    if (data) *data = *src.data;
    else data = std::make_unique<Tworkdata>(*src.data);
    timeLabel = src.timeLabel;
}

Tedge* Tedge::CopyWorkChain(Tedge& src)
{
    // Iterative on purpose: a node may have thousands of leaving works.
    Tedge* head = nullptr;
    Tedge* tail = nullptr;
    for (Tedge* s = &src; s; s = s->nextWork) {
        auto* c = new Tedge;
        c->CopyWork(*s);
        if (tail) tail->nextWork = c;
        else head = c;
        tail = c;
    }
    return head;
}

bool Tedge::SameWork(const Tedge& o) const
{
    // toNodeId is only refreshed before copies and writes; compare the live id.
    const int32_t id = toNode ? toNode->id : toNodeId;
    const int32_t oid = o.toNode ? o.toNode->id : o.toNodeId;
    return id == oid && lineGeom == o.lineGeom && nameGeom == o.nameGeom &&
           row == o.row && isContinuation == o.isContinuation && *data == *o.data &&
           labelDx == o.labelDx && labelDy == o.labelDy && timeLabel == o.timeLabel &&
           (nextSegment == nullptr) == (o.nextSegment == nullptr);
}

bool Tedge::SameChain(const Tedge* a, const Tedge* b)
{
    while (a && b) {
        if (!a->SameWork(*b)) return false;
        a = a->nextWork;
        b = b->nextWork;
    }
    return a == nullptr && b == nullptr;
}

float Tedge::FF() const
{
    float s = 0;
    if (toNode) s = toNode->firstWork ? toNode->firstWork->data->start : toNode->time;
    return s - data->es - data->duration;
}

float Tedge::TotalDuration() const
{
    // The sum is taken from the last segment backwards (d0 + (d1 + (d2 + ...))),
    // the order in which the segments' own totals build on each other. A
    // damaged chain that loops back is cut where the walk meets itself.
    std::vector<float> durations;
    const Tedge* fast = this;
    for (const Tedge* w = this; w; w = w->nextSegment) {
        durations.push_back(w->data->duration);
        if (fast) fast = fast->nextSegment;
        if (fast) fast = fast->nextSegment;
        if (fast && fast == w->nextSegment) break;
    }
    float total = 0;
    for (auto it = durations.rbegin(); it != durations.rend(); ++it) total = *it + total;
    return total;
}
