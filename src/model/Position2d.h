#pragma once
#include <cmath>

// A point in drawing units. Points closer than 0.0001 in both axes are the same point.
struct TPosition2D {
    double x = 0;
    double y = 0;

    bool operator==(const TPosition2D& o) const
    {
        return std::fabs(x - o.x) < 0.0001 && std::fabs(y - o.y) < 0.0001;
    }
};
