#pragma once
#include <cstdint>
#include <string>

#include "model/Position2d.h"

class Tpertgra;
class Tedge;
class Tvertex;

// What lies under a point of the time-scaled drawing (drawing units, the
// positions of the last layout at factor 1), for the pointer commands and
// the pointer shape.
struct TNetworkHit {
    // "fenzuline" near the lower edge of a group cell, "fenzu" inside one,
    // "node" on a node, "f", "m" or "b" on the front, middle or back third
    // of a work, "" on empty ground; the first that applies wins.
    std::string hitClass;
    Tvertex* node = nullptr;   // with "node"
    Tedge* work = nullptr;     // with "f", "m" and "b"
    int32_t group = -1;        // with "fenzu" and "fenzuline"
};

// How far from a work's line a point still counts as on the work.
inline constexpr int32_t kWorkHitDistance = 5;

TNetworkHit HitTestNetwork(const Tpertgra& net, TPosition2D p);

// The work whose line passes closest to the point (within kWorkHitDistance,
// between its two nodes) and which third of it the point is on ('f', 'm',
// 'b'); a critical work wins a tie, as it is drawn on top. Null when none.
Tedge* WorkAtPoint(const Tpertgra& net, TPosition2D p, char* third = nullptr);

// The column of groups left of the rulers: the point lies strictly inside
// it (only in the network view with the frame shown).
bool InGroupColumn(const Tpertgra& net, TPosition2D p);
// Index of the first group whose cell strictly contains the point, or -1.
int32_t GroupIndexAt(const Tpertgra& net, TPosition2D p);
// Index of the first group whose lower edge lies less than 3 units above or
// below the point, or -1.
int32_t GroupEdgeAt(const Tpertgra& net, TPosition2D p);

class TPertDrawMode;
// The work whose time-parameter table, as drawn (offset included), contains
// the point; null when the tables are not shown or the mode has no canvas
// to measure the texts with. The last drawn table wins, as it lies on top.
Tedge* TimeLabelAt(const Tpertgra& net, TPosition2D p, const TPertDrawMode& mode);
