#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <random>
#include <string>

#include "platform/Clock.h"
#include "schedule/Calendar.h"
#include "schedule/Vqtime.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

int64_t Stamp(int32_t y, int32_t m, int32_t d, int32_t hh = 0, int32_t mm = 0, int32_t ss = 0)
{
    return SecondsOfCivil(TCivilTime{y, m, d, hh, mm, ss});
}

// Binds a fixed clock for the lifetime of the object.
struct FixedNow {
    TFixedClock clock;
    explicit FixedNow(TCivilTime t) : clock(t) { SetClock(&clock); }
    ~FixedNow() { SetClock(nullptr); }
};

// Sets TZ for the lifetime of the object.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone)
    {
        const char* old = std::getenv("TZ");
        hadOld_ = old != nullptr;
        if (old) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool hadOld_ = false;
    std::string old_;
};

struct StampCase {
    int64_t stamp;
    TCivilTime civil;
    double dateTime;
};

// Worked by hand from the definition: s = 0 is 1970-01-01 08:00 local,
// 1970-01-01 00:00 is date-time 25569.
const StampCase kStampCases[] = {
    {-28800, {1970, 1, 1, 0, 0, 0}, 25569.0},
    {0, {1970, 1, 1, 8, 0, 0}, 25569.0 + 1.0 / 3.0},
    {-28801, {1969, 12, 31, 23, 59, 59}, 25569.0 - 1.0 / 86400.0},
    {951782400 - 28800, {2000, 2, 29, 0, 0, 0}, 36585.0},
    {951868800 - 28800, {2000, 3, 1, 0, 0, 0}, 36586.0},
    {kMax, {2038, 1, 19, 11, 14, 7}, 50424.0 + (11 * 3600 + 14 * 60 + 7) / 86400.0},
    {kMin, {1901, 12, 14, 4, 45, 52}, 714.0 + (4 * 3600 + 45 * 60 + 52) / 86400.0},
    {-2208988800LL - 28800, {1900, 1, 1, 0, 0, 0}, 2.0},
};

void ExpectStampCases()
{
    for (const StampCase& c : kStampCases) {
        SCOPED_TRACE(c.stamp);
        const TCivilTime t = CivilOfStamp(c.stamp);
        EXPECT_EQ(t.year, c.civil.year);
        EXPECT_EQ(t.month, c.civil.month);
        EXPECT_EQ(t.day, c.civil.day);
        EXPECT_EQ(t.hour, c.civil.hour);
        EXPECT_EQ(t.minute, c.civil.minute);
        EXPECT_EQ(t.second, c.civil.second);
        EXPECT_EQ(SecondsOfCivil(c.civil), c.stamp);
        EXPECT_NEAR(DateTimeOfStamp(c.stamp), c.dateTime, 1e-9);
        EXPECT_EQ(SecondsOfDateTime(c.dateTime), c.stamp);
    }
}

TEST(CalendarTime, StoredFormAgainstHandWorkedDates)
{
    ExpectStampCases();
}

TEST(CalendarTime, SameResultsWhateverTheMachineTimeZone)
{
    FixedNow now(TCivilTime{2024, 3, 5, 17, 30, 12});
    for (const char* zone : {"UTC0", "EST5EDT,M3.2.0,M11.1.0", "IST-5:30", "<+14>-14",
                             "America/Los_Angeles"}) {
        SCOPED_TRACE(zone);
        ZoneGuard guard(zone);
        ExpectStampCases();
        EXPECT_EQ(TodayStamp(), Stamp(2024, 3, 5));
        EXPECT_EQ(TVqTime().value, Stamp(2024, 3, 5, 17, 30, 12));
        EXPECT_EQ(DateText(TVqTime(TodayStamp()).DateTime()), "2024-03-05");
        EXPECT_EQ(WeekdayName(int32_t(Stamp(2024, 3, 5, 23, 59, 59))), "星期二");
    }
}

TEST(CalendarTime, RoundTripThroughDateTimeKeepsEverySecond)
{
    // Plain truncation of (d - 25569) * 86400 - 28800 loses a second here and there.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> any(kMin, kMax);
    for (int i = 0; i < 200000; ++i) {
        const int32_t s = any(rng);
        ASSERT_EQ(StampOfDateTime(DateTimeOfStamp(s)), s);
    }
    // A genuine fraction of a second still truncates toward zero.
    EXPECT_EQ(SecondsOfDateTime(DateTimeOfStamp(100) + 0.5 / 86400), 100);
    EXPECT_EQ(SecondsOfDateTime(DateTimeOfStamp(-100000) - 0.5 / 86400), -100000);
}

TEST(CalendarTime, CreatedWithoutValueHoldsTheClockTime)
{
    FixedNow now(TCivilTime{2023, 12, 31, 23, 59, 59});
    const TVqTime t;
    EXPECT_EQ(t.Year(), 2023);
    EXPECT_EQ(t.Month(), 12);
    EXPECT_EQ(t.Day(), 31);
    EXPECT_EQ(TVqTime(t.value + 1).Year(), 2024);
    EXPECT_EQ(TodayStamp(), Stamp(2023, 12, 31));
}

TEST(CalendarTime, MonthBoundsAndLengthAcrossLeapYearsAndDecember)
{
    struct Case {
        int32_t y, m, d;
        int32_t days;
        int32_t nextY, nextM;
    };
    const Case cases[] = {
        {2024, 2, 15, 29, 2024, 3}, {2023, 2, 28, 28, 2023, 3}, {2000, 2, 1, 29, 2000, 3},
        {1904, 2, 10, 29, 1904, 3}, {2037, 12, 31, 31, 2038, 1}, {2023, 12, 31, 31, 2024, 1},
        {2024, 4, 30, 30, 2024, 5}, {1970, 1, 1, 31, 1970, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m);
        // Any second of the month gives the same bounds, the last one included.
        const int32_t inside = int32_t(Stamp(c.y, c.m, c.d, 13, 5, 0));
        const TMonthBounds b = TVqTime(inside).MonthBounds();
        EXPECT_EQ(b.first, Stamp(c.y, c.m, 1));
        EXPECT_EQ(b.last, Stamp(c.nextY, c.nextM, 1) - 1);
        EXPECT_EQ(TVqTime(inside).DaysInMonth(), c.days);
        EXPECT_EQ(TVqTime(int32_t(b.last)).DaysInMonth(), c.days);
        EXPECT_EQ(TVqTime(int32_t(b.last)).Day(), c.days);
        EXPECT_EQ(TVqTime(int32_t(b.last + 1)).Month(), c.nextM);
    }
    // Century years outside the stored range follow the same leap rule.
    EXPECT_EQ(DaysOfMonth(1900, 2), 28);
    EXPECT_EQ(DaysOfMonth(2100, 2), 28);
    EXPECT_EQ(DaysOfMonth(2400, 2), 29);
}

TEST(CalendarTime, DatesBeyondTheStoredRangeAreReportedNotWrapped)
{
    EXPECT_EQ(StampOfCivil(TCivilTime{2038, 1, 19, 11, 14, 7}), kMax);
    EXPECT_EQ(StampOfCivil(TCivilTime{2038, 1, 19, 11, 14, 8}), std::nullopt);
    EXPECT_EQ(StampOfCivil(TCivilTime{1901, 12, 14, 4, 45, 52}), kMin);
    EXPECT_EQ(StampOfCivil(TCivilTime{1901, 12, 14, 4, 45, 51}), std::nullopt);
    EXPECT_EQ(StampOfDateTime(DateTimeOfStamp(int64_t(kMax) + 86400)), std::nullopt);
    EXPECT_EQ(StampOfDateTime(DateTimeOfStamp(int64_t(kMin) - 1)), std::nullopt);
    EXPECT_EQ(StampOfDateTime(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(StampOfDateTime(1e300), std::nullopt);

    // The months at the ends of the range: their bounds are told in 64 bits.
    const TMonthBounds jan2038 = TVqTime(kMax).MonthBounds();
    EXPECT_EQ(jan2038.last, Stamp(2038, 2, 1) - 1);
    EXPECT_GT(jan2038.last, int64_t(kMax));
    EXPECT_LT(TVqTime(kMin).MonthBounds().first, int64_t(kMin));

    // A clock beyond the range still gives a midnight that can be stored.
    FixedNow now(TCivilTime{2050, 6, 1, 12, 0, 0});
    EXPECT_EQ(TodayStamp(), Stamp(2038, 1, 19));
    EXPECT_EQ(TVqTime().value, kMax);
}

TEST(CalendarTime, WeekdaysAndRestDayTexts)
{
    EXPECT_EQ(WeekdayOfStamp(-28800), 4);   // 1970-01-01, a Thursday
    EXPECT_EQ(WeekdayName(int32_t(Stamp(2024, 1, 1))), "星期一");
    EXPECT_EQ(WeekdayName(int32_t(Stamp(2024, 1, 7))), "星期日");
    EXPECT_EQ(WeekdayName(int32_t(Stamp(1969, 12, 28))), "星期日");
    EXPECT_EQ(RestDayText(int32_t(Stamp(2024, 1, 6))), "2024-01-06   星期六");
    EXPECT_EQ(DateText(DateTimeOfStamp(-28800)), "1970-01-01");
    EXPECT_EQ(DateText(DateTimeOfStamp(-28801)), "1969-12-31");
}

TEST(CalendarTime, EveryWeekdayOfAMonthOrAYear)
{
    const std::vector<int32_t> thursdays = WeekdaysOfMonth(2024, 2, 4);
    ASSERT_EQ(thursdays.size(), 5u);
    for (size_t i = 0; i < thursdays.size(); ++i)
        EXPECT_EQ(thursdays[i], Stamp(2024, 2, 1 + 7 * int32_t(i)));

    const std::vector<int32_t> mondays = WeekdaysOfMonth(2024, 0, 1);
    EXPECT_EQ(mondays.size(), 53u);
    EXPECT_EQ(mondays.front(), Stamp(2024, 1, 1));
    EXPECT_EQ(mondays.back(), Stamp(2024, 12, 30));
    EXPECT_EQ(WeekdaysOfMonth(2023, 0, 0).size(), 53u);   // 2023 begins and ends on a Sunday

    // 2038: only the Sundays up to 19 January fit the stored form.
    const std::vector<int32_t> sundays2038 = WeekdaysOfMonth(2038, 0, 0);
    ASSERT_EQ(sundays2038.size(), 3u);
    EXPECT_EQ(sundays2038.back(), Stamp(2038, 1, 17));

    EXPECT_TRUE(WeekdaysOfMonth(2024, 13, 1).empty());
    EXPECT_TRUE(WeekdaysOfMonth(2024, 1, 7).empty());
}

}
