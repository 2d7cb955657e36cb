#pragma once
#include <cstdint>

// One entry of the displacement table the layout pass rebuilds: extra room
// inserted at a node time so that short works stay readable.
class Tdisplace {
public:
    float day = 0;           // the node time the entry stands for
    int32_t shift = 0;       // largest displacement entered for that time
    int32_t firstShift = 0;  // smallest displacement of the nodes at that time

    Tdisplace() = default;
    Tdisplace(float d, int32_t s, int32_t f) : day(d), shift(s), firstShift(f) {}
};
