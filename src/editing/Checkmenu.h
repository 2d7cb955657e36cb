#pragma once
#include <cstdint>

class Tpertgra;

// What the checks of the popup menu "检查" need from the document window.
// Positions and sizes are drawing units; the window converts them for its
// zoom.
class ICheckView {
public:
    virtual ~ICheckView() = default;
    // Puts the top-left corner of the visible part at (left, top).
    virtual void ScrollTo(double left, double top) = 0;
    virtual double ViewWidth() const = 0;
    virtual double ViewHeight() const = 0;
    virtual void ResizeCanvas() = 0;
    // Recalculate, lay out, redraw.
    virtual void RefreshView() = 0;
};

// The four items under "检查". Each shows where the problem is, asks, runs
// the repair on Yes, and returns 1 when the network changed (the window
// then records an undo step).

// "多起点检查": a single start node is reported as done; otherwise the view
// centres on the last start node and asks whether to merge them.
int32_t CheckStartNodes(Tpertgra& net, ICheckView& view);
// "多终点检查": the same with the end nodes, centring on the first one.
int32_t CheckEndNodes(Tpertgra& net, ICheckView& view);
// "工作线重叠检查": finds an overlapping line, centres on it and asks; Yes
// repairs it and looks again, until none is left or the answer is No.
int32_t CheckOverlappingWork(Tpertgra& net, ICheckView& view);
// "多余逻辑关系检查": shows each redundant dummy in turn, marked as the
// selection (which is left empty), and asks Yes (delete it), No (keep it,
// go on) or Cancel (stop).
// A dummy that an earlier deletion made necessary is not offered.
int32_t CheckRedundantLinks(Tpertgra& net, ICheckView& view);
