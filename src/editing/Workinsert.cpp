#include "editing/Workinsert.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "drawing/Displaysettings.h"
#include "drawing/Timeaxis.h"
#include "editing/Rowops.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "schedule/Calendar.h"

namespace {

Tvertex* NewNode(Tpertgra& net, float time, int32_t row)
{
    auto* v = new Tvertex;
    v->time = time;
    v->row = std::max(0, row);
    net.AddNode(v);
    return v;
}

int32_t FirstRow(const Tpertgra& net)
{
    return std::max(0, net.displaySettings.firstRow);
}

// A row free over [t1, t2] for `work`, else a blank row inserted at `row`.
int32_t FreeOrInserted(Tpertgra& net, TRowOccupancy& occ, int32_t row, double t1, double t2,
                       const Tedge* work)
{
    if (occ.Occupied(row, t1, t2, work)) {
        InsertBlankRow(net, row);
        occ.Invalidate();
    }
    return row;
}

}

void BreakSegmentLinks(Tpertgra& net, Tedge* work)
{
    if (work->isContinuation) {
        // the previous segment ends at this work's start node
        if (work->fromNode)
            for (Tedge* p : net.WorksInto(work->fromNode))
                if (p->nextSegment == work) p->nextSegment = nullptr;
        if (work->fromNode) work->fromNode->joint = false;
        work->isContinuation = false;
    }
    if (work->nextSegment) {
        if (work->toNode) work->toNode->joint = false;
        work->nextSegment->isContinuation = false;
        work->nextSegment = nullptr;
    }
}

Tedge* CreateWork(Tpertgra& net, Tvertex* from, Tvertex* to, const Tworkdata& data)
{
    auto* w = new Tedge;
    w->data->start = from->time;
    w->data->duration = to->time - from->time;
    net.LinkWork(from, to, w);
    // Renumbering includes the time parameters: the dialog's duration is
    // applied against the new work's float, which needs them.
    net.Reschedule();
    // LinkWork numbered it one past the largest number of the other works;
    // the dialog's record keeps that number.
    Tworkdata rec = data;
    rec.workNo = w->data->workNo;
    net.ApplyWorkData(w, rec);
    return w;
}

int32_t ChooseWorkRow(Tpertgra& net, Tvertex* from, Tvertex* to, const Tedge* work,
                      TPosition2D startPixel, TPosition2D endPixel)
{
    TRowOccupancy occ(net);
    const double t1 = from->time;
    const double t2 = to->time;
    if (from->row == to->row) {
        const int32_t r = from->row;
        if (!occ.Occupied(r, t1, t2, work)) return r;
        if (endPixel.y < startPixel.y) return FreeOrInserted(net, occ, r + 1, t1, t2, work);
        if (r > 0 && !occ.Occupied(r - 1, t1, t2, work)) return r - 1;
        InsertBlankRow(net, r);
        return r;
    }
    if (work && work->data->IsDummy())
        return FreeOrInserted(net, occ, std::max(from->row, to->row) + 1, t1, t2, work);
    if (!occ.Occupied(to->row, t1, t2, work)) return to->row;
    if (!occ.Occupied(from->row, t1, t2, work)) return from->row;
    const int32_t step = to->row > from->row ? 1 : -1;
    for (int32_t r = from->row + step; r != to->row; r += step)
        if (!occ.Occupied(r, t1, t2, work)) return r;
    const int32_t r = step > 0 ? from->row : from->row + 1;
    InsertBlankRow(net, r);
    return r;
}

int32_t RowAtPoint(Tpertgra& net, double x, double y, double t1, double t2)
{
    (void)x;
    TRowOccupancy occ(net);
    const double y0 = Y0(net);
    const double h = RowHeight(net);
    if (y > y0 && h > 0) {
        // truncation toward zero, as every coordinate conversion
        const int32_t r = static_cast<int32_t>((y - y0) / h);
        const bool upperHalf = (y - y0) - r * h < h / 2;
        if (upperHalf && !occ.Occupied(r, t1, t2)) return r;
        return FreeOrInserted(net, occ, r + 1, t1, t2, nullptr);
    }
    return FreeOrInserted(net, occ, FirstRow(net), t1, t2, nullptr);
}

Tedge* AddFirstWork(Tpertgra& net, const Tworkdata& data)
{
    const float d = std::max(0.0f, data.duration);
    Tvertex* from = NewNode(net, 0, FirstRow(net));
    Tvertex* to = NewNode(net, d, FirstRow(net));
    Tedge* w = CreateWork(net, from, to, data);
    w->row = ChooseWorkRow(net, from, to, w, {}, {});
    return w;
}

Tedge* AddFreeWork(Tpertgra& net, const Tworkdata& data, TPosition2D point)
{
    const float s = std::max(0.0f, data.start);
    const float d = std::max(0.0f, data.duration);
    const int32_t row = RowAtPoint(net, point.x, point.y, s, s + d);
    Tvertex* from = NewNode(net, s, row);
    Tvertex* to = NewNode(net, s + d, row);
    Tedge* w = CreateWork(net, from, to, data);
    w->row = ChooseWorkRow(net, from, to, w, point, point);
    return w;
}

Tedge* AddWorkOutOfNode(Tpertgra& net, const Tworkdata& data, Tvertex* node, TPosition2D start,
                        TPosition2D end)
{
    const float t = node->time;
    const float d = std::max(0.0f, data.duration);
    const int32_t row = RowAtPoint(net, end.x, end.y, t + 0.5, t + d);
    Tvertex* to = NewNode(net, t + d, row);
    Tworkdata rec = data;
    rec.start = t;
    Tedge* w = CreateWork(net, node, to, rec);
    w->row = ChooseWorkRow(net, node, to, w, start, end);
    return w;
}

Tedge* AddWorkIntoNode(Tpertgra& net, const Tworkdata& data, Tvertex* node, TPosition2D start,
                       TPosition2D end)
{
    const float s = std::max(0.0f, data.start);
    const int32_t row = RowAtPoint(net, start.x, start.y, s, node->time);
    Tvertex* from = NewNode(net, s, row);
    Tedge* w = CreateWork(net, from, node, data);
    w->row = ChooseWorkRow(net, from, node, w, start, end);
    from->row = w->row;
    return w;
}

Tedge* AddWorkBetween(Tpertgra& net, const Tworkdata& data, Tvertex* a, Tvertex* b,
                      TPosition2D entry, TPosition2D end)
{
    Tworkdata rec = data;
    const float d = rec.duration;
    if (rec.start < a->time) rec.start = a->time;
    if (a->time + d > b->latest) rec.start = a->time;
    if (a->earliest + d > b->latest) rec.start = a->earliest;
    Tedge* w = CreateWork(net, a, b, rec);
    w->row = ChooseWorkRow(net, a, b, w, entry, end);
    return w;
}

Tedge* AddWorkFromNode(Tpertgra& net, const Tworkdata& data, Tvertex* node)
{
    if (node->joint) return nullptr;
    Tvertex* next = NewNode(net, node->time, node->row);
    // the new node takes over every work that left `node`
    next->firstWork = node->firstWork;
    next->outCount = node->outCount;
    for (Tedge* w = next->firstWork; w; w = w->nextWork) w->fromNode = next;
    node->firstWork = nullptr;
    node->outCount = 0;
    net.InvalidateStructure();
    Tedge* w = CreateWork(net, node, next, data);
    w->row = node->row;
    return w;
}

namespace {

// Takes `work` out of its start node's list.
void Unlink(Tpertgra& net, Tedge* work)
{
    Tvertex* from = work->fromNode;
    Tedge** link = &from->firstWork;
    while (*link && *link != work) link = &(*link)->nextWork;
    if (*link) {
        *link = work->nextWork;
        --from->outCount;
    }
    work->nextWork = nullptr;
    net.InvalidateStructure();
}

}

Tedge* InsertWorkBefore(Tpertgra& net, const Tworkdata& data, Tedge* work)
{
    if (work->isContinuation) return nullptr;
    Tvertex* oldFrom = work->fromNode;
    Unlink(net, work);
    Tvertex* mid = NewNode(net, work->data->start, work->row);
    work->nextWork = nullptr;
    mid->firstWork = work;
    mid->outCount = 1;
    work->fromNode = mid;
    net.InvalidateStructure();
    Tedge* w = CreateWork(net, oldFrom, mid, data);
    w->row = work->row;
    return w;
}

Tedge* InsertWorkAfter(Tpertgra& net, const Tworkdata& data, Tedge* work)
{
    if (work->nextSegment) return nullptr;
    net.MoveWorkStart(work, work->fromNode->time);
    Tvertex* oldTo = work->toNode;
    const float at = work->data->start + work->data->duration;
    Tvertex* mid = NewNode(net, at, work->row);
    work->toNode = mid;
    ++mid->inCount;
    --oldTo->inCount;
    net.InvalidateStructure();
    Tworkdata rec = data;
    if (rec.start < at) rec.start = at;
    Tedge* w = CreateWork(net, mid, oldTo, rec);
    w->row = work->row;
    return w;
}

Tedge* InsertWorkAcross(Tpertgra& net, const Tworkdata& data, Tedge* work)
{
    return AddWorkBetween(net, data, work->fromNode, work->toNode, {}, {});
}

Tedge* AddWorkAtAnchors(Tpertgra& net, const Tworkdata& data, TAddAnchors a)
{
    const bool milestone = data.kind == WorkKind::Milestone;
    auto refuseMilestone = [&]() {
        ShowWarning("不能添加里程碑！");
        return nullptr;
    };
    if (a.kind == TAddAnchors::GanttPoint) return AddFreeWork(net, data, a.end);
    if (net.nodes.empty()) {
        if (milestone) return refuseMilestone();
        return AddFirstWork(net, data);
    }
    if (a.kind == TAddAnchors::Node) {
        if (milestone) return refuseMilestone();
        return AddWorkFromNode(net, data, a.node);
    }
    if (a.kind == TAddAnchors::Work) {
        if (milestone) return refuseMilestone();
        if (a.zone == 'b') return InsertWorkAfter(net, data, a.work);
        if (a.zone == 'f') return InsertWorkBefore(net, data, a.work);
        return InsertWorkAcross(net, data, a.work);
    }
    if (a.startNode && a.endNode) {
        if (milestone) return refuseMilestone();
        return AddWorkBetween(net, data, a.startNode, a.endNode, a.entry, a.end);
    }
    if (a.end.x < a.start.x) {
        std::swap(a.start, a.end);
        std::swap(a.startNode, a.endNode);
    }
    if (a.startNode) return AddWorkOutOfNode(net, data, a.startNode, a.start, a.end);
    if (a.endNode) return AddWorkIntoNode(net, data, a.endNode, a.start, a.end);
    return AddFreeWork(net, data, a.end);
}

TAddDefaults AddModeDefaults(const Tpertgra& net, const TAddAnchors& a)
{
    TAddDefaults d;
    d.duration = "10";
    const double start = AddTimeAt(net, a.start, a.startNode);
    if (a.kind == TAddAnchors::Points && !a.endNode) {
        const double days = AddSpanDays(start, AddTimeAt(net, a.end, a.endNode));
        const std::string text = NumberToText(days, 8, 2);
        d.duration = text == "0" ? "10" : text;
    }
    d.startDate = StartDateOfTime(net, start);
    return d;
}

double AddSpanDays(double from, double to)
{
    return std::max(0.0, std::ceil(std::fabs(to - from) - 1e-9));
}

double AddTimeAt(const Tpertgra& net, TPosition2D p, const Tvertex* node)
{
    if (node) return node->time;
    return WorkingTime(net, TTimeAxis(net).DayAtX(p.x).day);
}
