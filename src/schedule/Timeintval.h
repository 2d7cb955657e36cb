#pragma once
#include <cstdint>

// One rest period [start, end) of the working calendar, both in stored time form.
class Ttimeintval {
public:
    int32_t start = 0;
    int32_t end = 0;

    bool operator==(const Ttimeintval&) const = default;
};
