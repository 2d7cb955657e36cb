#pragma once
#include <cstdint>
#include <string>

#include "model/Position2d.h"

class Tpertgra;
class Tvertex;
class Tedge;
class Tworkdata;

// Every way of adding a work ends in one of these operations. Each takes
// the work's data from the work dialog and its anchors, and returns the new
// work, or null when it refuses (nothing is changed then).

// A new work from `from` to `to`: start at from's time, provisional duration
// up to to's time, linked and renumbered, then the dialog's data applied.
Tedge* CreateWork(Tpertgra& net, Tvertex* from, Tvertex* to, const Tworkdata& data);

// The row for a new work between its nodes; may insert a blank row.
int32_t ChooseWorkRow(Tpertgra& net, Tvertex* from, Tvertex* to, const Tedge* work,
                      TPosition2D startPixel, TPosition2D endPixel);
// The row under a point for a work spanning [t1, t2]; may insert a blank row.
int32_t RowAtPoint(Tpertgra& net, double x, double y, double t1, double t2);

Tedge* AddFirstWork(Tpertgra& net, const Tworkdata& data);
Tedge* AddFreeWork(Tpertgra& net, const Tworkdata& data, TPosition2D point);
Tedge* AddWorkOutOfNode(Tpertgra& net, const Tworkdata& data, Tvertex* node,
                        TPosition2D start, TPosition2D end);
Tedge* AddWorkIntoNode(Tpertgra& net, const Tworkdata& data, Tvertex* node,
                       TPosition2D start, TPosition2D end);
Tedge* AddWorkBetween(Tpertgra& net, const Tworkdata& data, Tvertex* a, Tvertex* b,
                      TPosition2D entry, TPosition2D end);
// The new work right after the node; everything that left the node leaves
// after the new work. Refused at a segment joint.
Tedge* AddWorkFromNode(Tpertgra& net, const Tworkdata& data, Tvertex* node);
// Before the work (front third); refused when the work continues a segment.
Tedge* InsertWorkBefore(Tpertgra& net, const Tworkdata& data, Tedge* work);
// After the work (back third); refused when the work has a following segment.
Tedge* InsertWorkAfter(Tpertgra& net, const Tworkdata& data, Tedge* work);
// Parallel to the work, between its nodes (middle third).
Tedge* InsertWorkAcross(Tpertgra& net, const Tworkdata& data, Tedge* work);

// Clears the segment links around the work (both directions) and the joint
// flags that went with them.
void BreakSegmentLinks(Tpertgra& net, Tedge* work);

// What the work dialog was opened on in add mode.
struct TAddAnchors {
    enum Kind { Points, Node, Work, GanttPoint } kind = Points;
    TPosition2D start, entry, end;   // Points (end also for GanttPoint)
    Tvertex* startNode = nullptr;    // nodes under the start and end points
    Tvertex* endNode = nullptr;
    Tvertex* node = nullptr;         // Node
    Tedge* work = nullptr;           // Work
    char zone = 'm';                 // Work: 'f', 'm' or 'b'
};

// The add operation the anchors select, run with the dialog's data.
// A milestone that cannot stand where it would be added is refused with
// "不能添加里程碑！" and nothing is added.
Tedge* AddWorkAtAnchors(Tpertgra& net, const Tworkdata& data, TAddAnchors anchors);

// The dialog's fields in add mode that come from the anchors.
struct TAddDefaults {
    std::string duration;   // days as text
    double startDate = 0;   // date-time number of the start point
};
TAddDefaults AddModeDefaults(const Tpertgra& net, const TAddAnchors& anchors);
// The working time under a point of an add gesture: the node's time on a
// node, else the working time of the calendar day under x, so that spans
// between points count working days as the drawing places them.
double AddTimeAt(const Tpertgra& net, TPosition2D p, const Tvertex* node);
// Whole days between two such working times, as the information box and the
// dialog both show them: the ceiling of the distance, a rounding error of
// the single-precision times (below 1e-9 day) left out.
double AddSpanDays(double from, double to);
