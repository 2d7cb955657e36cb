#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Tpertgra;
class Tedge;

// Conversions between the network's working time (days from day 0, the
// project start), calendar days (rest periods inserted) and dates
// (date-time numbers: days since 1899-12-30, fractions for the time of day).

// (s - projectStart) / 86400, fractions allowed.
double DayOfStamp(const Tpertgra& net, int64_t s);
// Date-time number of the project start plus x days.
double DateOfDay(const Tpertgra& net, double x);
// (stored value of d - projectStart) / 86400; computed in 64 bits, so dates
// beyond the int32 range give their true day. Not-finite d is returned as is.
double DayOfDate(const Tpertgra& net, double d);

// Calendar day of working time t as a start: a start on the first day of a
// rest period moves past it.
double CalendarDay(const Tpertgra& net, double t);
// Calendar day of working time t as a finish: a finish where a rest period
// begins stays before it.
double CalendarDayOfFinish(const Tpertgra& net, double t);
// Working time of calendar day x.
double WorkingTime(const Tpertgra& net, double x);

// Calendar day on which the plan finishes: the largest node time taken as a
// finish (0 without nodes), so a plan ending just before a rest period does
// not report the rest as part of its length.
double ProjectEndDay(const Tpertgra& net);
// Date-time of a start at working time t.
double StartDateOfTime(const Tpertgra& net, double t);
// Date-time of the last second of d working days from working time t, so
// that a span finishing at the end of a day shows that day; never before
// the start, so a span of no length finishes where it starts. The end is
// summed in single precision, as the model's times are.
double FinishDateOfTime(const Tpertgra& net, float t, float d);
// Date-time of a work's start.
double WorkStartDate(const Tpertgra& net, const Tedge& work);
// Date-time of the last second of a work (its segments after it included), so
// that a work finishing at the end of a day shows that day; never before the
// work's start, so a work of no duration finishes where it starts.
double WorkFinishDate(const Tpertgra& net, const Tedge& work);

// "yyyy-mm-dd" of a date-time number.
std::string DateText(double d);

// 00:00 of every whole day inside the rest periods, ascending, each day once.
std::vector<int32_t> RestDays(const Tpertgra& net);
// Replaces the rest periods by the runs of the given days (each value stands
// for its whole day) and marks the network modified.
void SetRestDays(Tpertgra& net, std::vector<int32_t> dates);

// Helpers of the rest-day dialog.
// "星期一" ... "星期日" of the day containing the stored value.
std::string WeekdayName(int32_t stamp);
// The list entry of a rest day: "yyyy-mm-dd", three spaces, the weekday name.
std::string RestDayText(int32_t stamp);
// 00:00 of every day of the year falling on the weekday (0 Sunday ... 6
// Saturday), in month 1..12 or in every month for month 0, ascending. Days
// outside the int32 range of the stored form are left out; an invalid month
// or weekday gives none.
std::vector<int32_t> WeekdaysOfMonth(int32_t year, int32_t month, int32_t weekday);
