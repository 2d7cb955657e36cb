#include "editing/Rowops.h"

#include <algorithm>

#include "drawing/Timeaxis.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"

namespace {

void ShiftRows(Tpertgra& net, int32_t r, int32_t by)
{
    const int32_t h = int32_t(RowHeight(net));
    for (const auto& v : net.nodes) {
        const bool nodeMoves = v->row >= r;
        if (nodeMoves) {
            v->row = std::max(0, v->row + by);
            v->y += by * h;
        }
    }
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (w->row < r) continue;
            w->row = std::max(0, w->row + by);
            // the horizontal part of the line and the name line move with the row
            w->lineGeom[3] += by * h;
            w->lineGeom[5] += by * h;
            w->nameGeom[1] += by * h;
            w->nameGeom[3] += by * h;
        }
    // the end points of every line follow their nodes
    for (const auto& v : net.nodes)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            w->lineGeom[1] = w->fromNode ? w->fromNode->y : w->lineGeom[1];
            w->lineGeom[7] = w->toNode ? w->toNode->y : w->lineGeom[7];
        }
}

}

void InsertBlankRow(Tpertgra& net, int32_t r)
{
    ShiftRows(net, r, 1);
}

void RemoveRow(Tpertgra& net, int32_t r)
{
    ShiftRows(net, r, -1);
}

bool RowHasWork(const Tpertgra& net, int32_t r)
{
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            if (w->row == r) return true;
    return false;
}

double TRowOccupancy::XOf(double t) const
{
    return axis_.XOfTime(CalendarDay(net_, t));
}

const std::vector<TRowOccupancy::Span>* TRowOccupancy::Spans(int32_t row)
{
    // A query or two (the usual insertion) scans for its row only, which
    // spares the time-to-x conversion of every other work; from the fifth
    // row on every row is built in one pass. Spans keep the storage order
    // either way.
    if (!built_ && rows_.size() >= 4) Build();
    if (!built_ && !rows_.count(row)) {
        std::vector<Span>& spans = rows_[row];
        for (const auto& v : net_.nodes)
            for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
                if (w->row != row || !w->toNode || (leftOut_ && leftOut_->count(w))) continue;
                spans.push_back({XOf(v->time), XOf(w->toNode->time), w});
            }
    }
    const auto it = rows_.find(row);
    return it == rows_.end() ? nullptr : &it->second;
}

void TRowOccupancy::Build()
{
    rows_.clear();
    for (const auto& v : net_.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork) {
            if (!w->toNode || (leftOut_ && leftOut_->count(w))) continue;
            const double x1 = XOf(v->time);
            const double x2 = XOf(w->toNode->time);
            rows_[w->row].push_back({x1, x2, w});
        }
    built_ = true;
}

bool TRowOccupancy::Occupied(int32_t row, double t1, double t2, const Tedge* except)
{
    const std::vector<Span>* spans = Spans(row);
    if (!spans) return false;
    double a = XOf(t1);
    double b = XOf(t2);
    if (a > b) std::swap(a, b);
    for (const Span& s : *spans)
        if (s.work != except && s.x1 < b && s.x2 > a) return true;
    return false;
}
