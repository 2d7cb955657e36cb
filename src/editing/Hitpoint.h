#pragma once
#include <string>

#include "model/Position2d.h"

class Tedge;
class Tpertgra;

// What lies under a drawing point, as the pointer commands ask for it:
// the hit class ("node", "f", "m", "b", "fenzu", "fenzuline" or "") and the
// work whose line is there.
struct TPointHit {
    std::string hitClass;
    Tedge* work = nullptr;
};

TPointHit HitAtPoint(const Tpertgra& net, TPosition2D p);
