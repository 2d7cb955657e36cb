#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "model/Ganttrow.h"
#include "model/Workdata.h"
#include "model/Worktimedata.h"

class Tvertex;

// A work: an arrow from fromNode to toNode. Owns its data record and label,
// never the nodes or the works it points to.
class Tedge : public TGanttEdgeRow {
public:
    // Drawing points: start (fromNode), start and end of the horizontal line, end (toNode).
    std::array<int32_t, 8> lineGeom{};
    // x where the solid line begins, its y, x where it ends, y again.
    std::array<int32_t, 4> nameGeom{};
    Tvertex* toNode = nullptr;
    int32_t toNodeId = 0;
    Tvertex* fromNode = nullptr;
    std::unique_ptr<Tworkdata> data = std::make_unique<Tworkdata>();
    int32_t row = 0;
    Tedge* nextWork = nullptr;      // next work of fromNode's list (the node owns the list)
    Tedge* nextSegment = nullptr;   // next segment of a segmented work, not owned
    bool isContinuation = false;
    int32_t labelDx = 0;
    int32_t labelDy = 0;
    TWorkTimeData timeLabel;

    Tedge() = default;
    Tedge(const Tedge&) = delete;
    Tedge& operator=(const Tedge&) = delete;

    // Refreshes toNodeId of both works from their toNode, then copies the work
    // (not its nodes and not its nextWork chain) from src.
    void CopyWork(Tedge& src);
    // A new work copied from src, followed by copies of the rest of src's
    // nextWork chain. fromNode and toNode of the copies are unset.
    static Tedge* CopyWorkChain(Tedge& src);

    void RefreshToNodeId();

    // Equality of this work alone (not its chain).
    bool SameWork(const Tedge& o) const;
    // Equality of the two chains starting at a and b, work by work.
    static bool SameChain(const Tedge* a, const Tedge* b);

    // EF, LF, TF, FF and the planned finish.
    float EF() const { return data->es + data->duration; }
    float LF() const { return data->ls + data->duration; }
    float TF() const { return data->ls - data->es; }
    float FF() const;
    float PlannedFinish() const { return data->start + data->duration; }
    float ProgressTime() const { return float(data->start + data->duration * data->progress); }
    // Duration of this segment and every segment after it.
    float TotalDuration() const;
};
