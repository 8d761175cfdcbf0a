// The conversion between calendar fields and date-time values, and the
// operations that only look at the number.
#include "date_time.h"

#include <algorithm>
#include <cmath>

namespace velquor {
namespace {

// 1899-12-30, the day that OLE Automation dates count from, as days from
// 1970-01-01.
constexpr std::int64_t ole_epoch_days = -25569;
constexpr double one_second = 1.0 / 86400.0;  // 1.1574074074074073e-05
constexpr double half_second = 1.0 / 172800.0;

// Howard Hinnant's days_from_civil: days since 1970-01-01 in the proleptic
// Gregorian calendar, with years counted from March so that the leap day is
// the last day of its year.
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);            // [0, 399]
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Howard Hinnant's civil_from_days, the inverse of days_from_civil.
DateTimeFields civil_from_days(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);                // [0, 146096]
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);              // [0, 365]
    const unsigned mp = (5 * doy + 2) / 153;                                  // [0, 11]
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;                          // [1, 31]
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;                             // [1, 12]
    const auto y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
    return {y, static_cast<int>(m), static_cast<int>(d), 0, 0, 0};
}

struct DayAndSecond {
    std::int64_t day;   // days from 1899-12-30
    int second_of_day;  // [0, 86399]
};

// The day is the value truncated toward zero and the time of day the fraction
// of its absolute value, since below zero the time is subtracted from the day.
// The half second moves the value to the nearest whole second first.
DayAndSecond day_and_second(double value) {
    const double rounded = value > 0 ? value + half_second : value - half_second;
    const double whole = std::trunc(rounded);
    const double fraction = std::fabs(rounded - whole);
    const int second = std::min(static_cast<int>(fraction * 86400.0), 86399);
    return {static_cast<std::int64_t>(whole), second};
}

}  // namespace

double date_time_from_fields(const DateTimeFields& f) {
    const std::int64_t day = days_from_civil(f.year, static_cast<unsigned>(f.month),
                                             static_cast<unsigned>(f.day)) - ole_epoch_days;
    // Multiplying by the one constant, never dividing, gives every calendar
    // second one bit pattern, which equality of moments relies on.
    const double time = (3600 * f.hour + 60 * f.minute + f.second) * one_second;
    return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

DateTimeFields date_time_fields(double value) {
    const DayAndSecond at = day_and_second(value);
    DateTimeFields fields = civil_from_days(at.day + ole_epoch_days);
    fields.hour = at.second_of_day / 3600;
    fields.minute = at.second_of_day / 60 % 60;
    fields.second = at.second_of_day % 60;
    return fields;
}

double limit_date_time(double value) {
    if (std::isnan(value)) return min_date_time;
    return std::clamp(value, min_date_time, max_date_time);
}

bool same_moment(double a, double b) {
    return limit_date_time(a) == limit_date_time(b);
}

std::int64_t moment_seconds(double value) {
    // The time of day counts forward from the day's midnight also below zero,
    // where the value itself counts it backward.
    const DayAndSecond at = day_and_second(limit_date_time(value));
    return at.day * 86400 + at.second_of_day;
}

}  // namespace velquor
