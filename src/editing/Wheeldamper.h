#pragma once
#include <cstdint>

// Damps the wheel in the zooming views: the rotation of the events adds up,
// and only when it reaches two notches (240) in either direction does one
// zoom step happen and the sum start again.
class TWheelDamper {
public:
    static constexpr int32_t kNotch = 120;
    static constexpr int32_t kThreshold = 240;

    int32_t wheelDelta = 0;

    // +1: zoom in (the event turned up), -1: zoom out (down), 0: nothing yet.
    int32_t Turn(int32_t delta);
};
