#include "schedule/Vqtime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kSecondsLimit = 1'000'000'000'000'000;   // 1e15 s, about 31 million years

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int32_t ClampToStamp(int64_t s)
{
    return int32_t(std::clamp<int64_t>(s, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

}

int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    // Carry months outside 1..12 into the year first.
    year += FloorDiv(month - 1, 12);
    month = month - 1 - FloorDiv(month - 1, 12) * 12 + 1;
    // Years counted from March, so that the leap day ends the year.
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = (month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

TCivilTime CivilOfStamp(int64_t stamp)
{
    const int64_t local = std::clamp(stamp, -kSecondsLimit, kSecondsLimit) + kStampOffset;
    const int64_t days = FloorDiv(local, kSecondsPerDay);
    const int64_t secs = local - days * kSecondsPerDay;

    const int64_t z = days + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);

    return TCivilTime{int32_t(y), int32_t(m), int32_t(d), int32_t(secs / 3600),
                      int32_t(secs / 60 % 60), int32_t(secs % 60)};
}

int64_t SecondsOfCivil(const TCivilTime& t)
{
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + int64_t(t.hour) * 3600 +
           int64_t(t.minute) * 60 + t.second - kStampOffset;
}

std::optional<int32_t> StampOfCivil(const TCivilTime& t)
{
    return CheckedStamp(SecondsOfCivil(t));
}

std::optional<int32_t> CheckedStamp(int64_t seconds)
{
    if (seconds < std::numeric_limits<int32_t>::min() ||
        seconds > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(seconds);
}

double DateTimeOfStamp(int64_t stamp)
{
    return (double(stamp) + double(kStampOffset)) / double(kSecondsPerDay) +
           double(kDateTimeOf1970);
}

int64_t SecondsOfDateTime(double d)
{
    if (std::isnan(d)) return 0;
    const double x = (d - double(kDateTimeOf1970)) * double(kSecondsPerDay) - double(kStampOffset);
    if (x >= double(kSecondsLimit)) return kSecondsLimit;
    if (x <= -double(kSecondsLimit)) return -kSecondsLimit;
    const double nearest = std::nearbyint(x);
    if (std::fabs(x - nearest) < 1e-4) return int64_t(nearest);
    return int64_t(x);   // truncation toward zero on purpose
}

std::optional<int32_t> StampOfDateTime(double d)
{
    if (!std::isfinite(d)) return std::nullopt;
    return CheckedStamp(SecondsOfDateTime(d));
}

int64_t DayStartOfStamp(int64_t stamp)
{
    const int64_t local = stamp + kStampOffset;
    return FloorDiv(local, kSecondsPerDay) * kSecondsPerDay - kStampOffset;
}

int32_t WeekdayOfStamp(int64_t stamp)
{
    // 1970-01-01 was a Thursday.
    const int64_t days = FloorDiv(stamp + kStampOffset, kSecondsPerDay);
    return int32_t(((days + 4) % 7 + 7) % 7);
}

int32_t DaysOfMonth(int64_t year, int32_t month)
{
    return int32_t(DaysFromCivil(year, int64_t(month) + 1, 1) - DaysFromCivil(year, month, 1));
}

int32_t TodayStamp()
{
    TCivilTime now = Clock().Now();
    now.hour = now.minute = now.second = 0;
    const int64_t s = SecondsOfCivil(now);
    // Outside the int32 range keep the nearest midnight that fits.
    if (s > std::numeric_limits<int32_t>::max())
        return int32_t(DayStartOfStamp(std::numeric_limits<int32_t>::max()));
    if (s < std::numeric_limits<int32_t>::min())
        return int32_t(DayStartOfStamp(std::numeric_limits<int32_t>::min()) + kSecondsPerDay);
    return int32_t(s);
}

TVqTime::TVqTime() : value(ClampToStamp(SecondsOfCivil(Clock().Now()))) {}

TMonthBounds TVqTime::MonthBounds() const
{
    const TCivilTime c = CivilOfStamp(value);
    const int64_t first = SecondsOfCivil(TCivilTime{c.year, c.month, 1, 0, 0, 0});
    const int64_t next = SecondsOfCivil(TCivilTime{c.year, c.month + 1, 1, 0, 0, 0});
    return TMonthBounds{first, next - 1};
}

int32_t TVqTime::DaysInMonth() const
{
    const TCivilTime c = CivilOfStamp(value);
    return DaysOfMonth(c.year, c.month);
}
