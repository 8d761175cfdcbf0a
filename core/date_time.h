// Moments of the local wall clock, to the second, as OLE Automation dates:
// whole days since 1899-12-30 plus the time of day as a part of the day. For
// dates before 1899-12-30 the time of day is subtracted (1899-12-29 06:00 is
// -1.25), so the numbers do not grow with time below zero.
//
// Every value the system makes is built from calendar fields by
// date_time_from_fields, so one calendar second always gives the identical
// number and moments can be compared with ==.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velquor {

struct DateTimeFields {
    int year, month, day, hour, minute, second;
    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

// 0100-01-01 00:00:00: also what an unreadable text reads as, and never due.
inline constexpr double min_date_time = -657434.0;
// 9999-12-31 00:00:00. Reading text can go past it up to 23:59:59 of that day.
inline constexpr double max_date_time = 2958465.0;

// Fields must all be in range (a real day of a year from 100 to 9999).
double date_time_from_fields(const DateTimeFields& fields);

// The fields of the nearest whole second; the value must be within the range.
DateTimeFields date_time_fields(double value);

// Clamps to min_date_time .. max_date_time. NaN, which no moment is, becomes
// min_date_time so that nothing downstream meets it.
double limit_date_time(double value);

// "2019年3月11日11时19分43秒"; trailing zero time fields are left out.
std::string date_time_text(double value);

// Reads the date-time text and the numeric forms ("2019-03-11 11:19:43",
// "2019/3/11", full-width digits...). Never fails outward: a text it does not
// accept gives min_date_time.
double parse_date_time_text(std::string_view text);

// The local wall-clock time with the fraction of the second dropped.
double current_date_time();

// Exact equality after limiting both values to the range.
bool same_moment(double a, double b);

// Seconds on one straight line (0 at 1899-12-30 00:00:00), for ordering
// moments: the values themselves do not order below zero.
std::int64_t moment_seconds(double value);

}  // namespace velquor
