#pragma once
#include <cstdint>

// A fill: style 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward
// diagonal, 5 backward diagonal, 6 cross, 7 diagonal cross.
struct TVqBrush {
    int32_t style = 0;
    int32_t color = 0xFF0000;

    TVqBrush() = default;
    TVqBrush(int32_t s, int32_t c) : style(s), color(c) {}

    bool operator==(const TVqBrush& o) const { return style == o.style && color == o.color; }
};
