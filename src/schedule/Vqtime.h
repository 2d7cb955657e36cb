#pragma once
#include <cstdint>
#include <optional>

#include "platform/Clock.h"

// The stored time form: an int32 count of seconds, s standing for the local
// date-time 1970-01-01 08:00:00 + s. The 8-hour offset is fixed, so every
// civil-date computation here is done by hand and never asks the machine's
// time zone. Inside, values are 64-bit so that nothing wraps; the checked
// conversions say when a value does not fit the stored int32.

// Seconds between local 1970-01-01 00:00:00 and the zero of the stored form.
inline constexpr int64_t kStampOffset = 28800;
inline constexpr int64_t kSecondsPerDay = 86400;
// Date-time number of 1970-01-01 00:00 (days since 1899-12-30).
inline constexpr int64_t kDateTimeOf1970 = 25569;

// Days from 1970-01-01 to the civil date (proleptic Gregorian); months outside
// 1..12 carry into the year, days outside the month carry into the next ones.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day);
// The civil date and time of a stored value (any 64-bit value).
TCivilTime CivilOfStamp(int64_t stamp);
// The stored value of a civil date and time, unchecked (64-bit).
int64_t SecondsOfCivil(const TCivilTime& t);
// The same, or nothing when the value lies outside the int32 range.
std::optional<int32_t> StampOfCivil(const TCivilTime& t);
// A 64-bit stored value if it fits the int32 range.
std::optional<int32_t> CheckedStamp(int64_t seconds);

// d = (s + 28800) / 86400 + 25569.
double DateTimeOfStamp(int64_t stamp);
// s = trunc((d - 25569) * 86400 - 28800), unchecked (64-bit). A value within
// 1e-4 s of a whole second is taken as that second: the product carries
// rounding noise of about 1e-6 s, and plain truncation would turn a round trip
// stamp -> date-time -> stamp one second early (or late) for about a quarter
// of all values. NaN gives 0; values beyond +-1e15 s are clamped there.
int64_t SecondsOfDateTime(double d);
// The same, or nothing when the value lies outside the int32 range or d is not finite.
std::optional<int32_t> StampOfDateTime(double d);

// 00:00 of the day that contains the stored value.
int64_t DayStartOfStamp(int64_t stamp);
// Day of the week of a stored value: 0 Sunday, 1 Monday, ... 6 Saturday.
int32_t WeekdayOfStamp(int64_t stamp);
// Number of days of the month (1..12) of the year.
int32_t DaysOfMonth(int64_t year, int32_t month);

// Today at 00:00 from the platform clock, in stored form (clamped to the
// int32 range should the clock lie beyond it).
int32_t TodayStamp();

// Stored values of 00:00 on the first day of a month and of the second before
// 00:00 of the next month's first day; 64-bit because the months at either end
// of the int32 range reach beyond it.
struct TMonthBounds {
    int64_t first = 0;
    int64_t last = 0;
};

// One stored time value.
class TVqTime {
public:
    int32_t value = 0;

    // The current time of the platform clock (clamped to the int32 range).
    TVqTime();
    explicit TVqTime(int32_t v) : value(v) {}

    double DateTime() const { return DateTimeOfStamp(value); }
    int32_t Year() const { return CivilOfStamp(value).year; }
    int32_t Month() const { return CivilOfStamp(value).month; }
    int32_t Day() const { return CivilOfStamp(value).day; }
    TMonthBounds MonthBounds() const;
    // The day number of the last second of the month: the month's length.
    int32_t DaysInMonth() const;
};
