#pragma once
#include <cstdint>

// A civil (local) date and time as the machine's clock shows it.
struct TCivilTime {
    int32_t year = 1970;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

// "Now", injectable so tests can fix today.
class IClock {
public:
    virtual ~IClock() = default;
    virtual TCivilTime Now() const = 0;
};

IClock& Clock();
// Binds a clock (not owned); null restores the system clock.
void SetClock(IClock* clock);

// A clock that always tells the same time.
class TFixedClock : public IClock {
public:
    explicit TFixedClock(TCivilTime t) : time(t) {}
    TCivilTime Now() const override { return time; }
    TCivilTime time;
};
