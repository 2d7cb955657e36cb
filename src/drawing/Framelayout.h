#pragma once
#include <cstdint>

class Tpertgra;
class TTimeAxis;

// View kinds: 0 Gantt chart, 1 time-scaled network, 2 logic network,
// 3 resource diagram only.
int32_t ViewKind(const Tpertgra& net);
// Largest row of any node or work (0 for an empty network).
int32_t MaxRow(const Tpertgra& net);
// Height the resource diagrams take inside the network area (drawing units):
// the shown resources times the diagram height, when they are drawn there.
double ResourceReserve(const Tpertgra& net);

// The geometry of the framed time-scaled drawing for one pass. The first
// group is in drawing units, the second in device units of the pass's
// factors (xf, yf); device values the canvas receives are truncated toward
// zero by the drawing.
struct TFrameLayout {
    double xf = 1;
    double yf = 1;
    int32_t viewKind = 1;

    // drawing units
    double x0 = 0;                // x of calendar day 0
    double y0 = 0;                // y of row 0
    double rowHeight = 50;
    int32_t maxRow = 0;
    double networkBottom = 0;     // y0 + maxRow x rowHeight
    double networkAreaHeight = 0; // network bottom + bottom margin + resource diagrams
    double projectEndDay = 0;     // calendar day of the plan's end
    double projectEndX = 0;       // x of that day, its displacements counted
    double topRowsHeight = 0;     // visible rows only
    double bottomRowsHeight = 0;
    double explainWidth = 0;      // when the block stands right of the drawing
    double explainHeight = 0;     // when it stands below

    // device units
    int32_t leftEdge = 0;         // trunc(xf x origin.x)
    int32_t topEdge = 0;          // trunc(yf x origin.y)
    int32_t rightEdge = 0;        // trunc(xf x (end x + right margin + explanation width))
    double bottomEdge = 0;        // yf x (area height + bottom rows + explanation height)
    double areaTop = 0;           // top edge + yf x top rows
    double areaBottom = 0;        // yf x area height
    double rowLeft = 0;           // left edge + xf x group column: where ruler rows start

    // The geometry of the network's drawing; axis is the network's axis.
    static TFrameLayout Of(const Tpertgra& net, const TTimeAxis& axis, double xf, double yf);
};
