#pragma once
#include <cstdint>
#include <string>
#include <utility>

class TPrtWriter;
class TPrtReader;

// One column of the Gantt table: which work attribute it shows and how.
class TGanttShowData {
public:
    int32_t columnId = 0;
    std::string caption;
    double width = 0.0;
    int32_t align = 0;  // 0 left, 1 centre, 2 right
    bool visible = true;

    explicit TGanttShowData(int32_t id = 0) : columnId(id) {}
    TGanttShowData(int32_t id, std::string c, double w, int32_t a, bool v)
        : columnId(id), caption(std::move(c)), width(w), align(a), visible(v) {}

    bool operator==(const TGanttShowData& o) const = default;

    // Version 0. Returns false, having read only the version, for any other
    // version; the caller then keeps a default column in its place.
    void Write(TPrtWriter& w) const;
    bool Read(TPrtReader& r);
};
