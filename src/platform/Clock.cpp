#include "platform/Clock.h"

#include <ctime>

namespace {

class SystemClock : public IClock {
public:
    TCivilTime Now() const override
    {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return TCivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec};
    }
};

SystemClock systemClock;
IClock* bound = nullptr;

}

IClock& Clock()
{
    return bound ? *bound : systemClock;
}

void SetClock(IClock* clock)
{
    bound = clock;
}
