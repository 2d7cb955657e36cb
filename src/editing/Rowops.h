#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

#include "drawing/Timeaxis.h"

class Tpertgra;
class Tedge;

// Row primitives shared by the editing operations.

// Every node and work on a row >= r moves down one row (their cached
// drawing coordinates by one row height).
void InsertBlankRow(Tpertgra& net, int32_t r);
// Every node and work on a row >= r moves up one row (never above row 0).
void RemoveRow(Tpertgra& net, int32_t r);
// Some work lies on row r (nodes do not count).
bool RowHasWork(const Tpertgra& net, int32_t r);

// Which rows the work lines occupy, as drawn x spans per row, built once
// for one editing operation so that trying many rows does not scan every
// work per row. The spans come from the node times through the time axis.
class TRowOccupancy {
public:
    // leftOut, when given, names works that count nowhere (a selection
    // that moves as one); it must outlive the occupancy.
    explicit TRowOccupancy(const Tpertgra& net,
                           const std::unordered_set<const Tedge*>* leftOut = nullptr)
        : net_(net), axis_(net), leftOut_(leftOut)
    {
    }

    // Another work's line on the row overlaps the span [t1, t2] of working
    // time strictly (touching does not count). `except` is left out.
    bool Occupied(int32_t row, double t1, double t2, const Tedge* except = nullptr);
    // The rows changed (a blank row was inserted): rebuild on the next query.
    void Invalidate()
    {
        built_ = false;
        rows_.clear();
    }
    // Drawn x of a working time.
    double XOf(double t) const;

private:
    struct Span {
        double x1, x2;
        const Tedge* work;
    };
    void Build();
    // The spans of one row, null when no work lies on it.
    const std::vector<Span>* Spans(int32_t row);

    const Tpertgra& net_;
    TTimeAxis axis_;
    const std::unordered_set<const Tedge*>* leftOut_;
    bool built_ = false;
    std::map<int32_t, std::vector<Span>> rows_;
};
