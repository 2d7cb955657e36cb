#include "editing/Wheeldamper.h"

#include <cstdlib>

int32_t TWheelDamper::Turn(int32_t delta)
{
    wheelDelta += delta;
    if (delta == 0 || std::abs(wheelDelta) < kThreshold) return 0;
    wheelDelta = 0;
    return delta > 0 ? 1 : -1;
}
