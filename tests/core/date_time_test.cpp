#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/date_time.h"

namespace velquor {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct FieldsAndValue {
    DateTimeFields fields;
    double value;
};

TEST(DateTimeFromFields, GivesTheOleAutomationNumbers) {
    const FieldsAndValue cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 0, 0, 0}, 1.0},
        {{1899, 12, 30, 12, 0, 0}, 0.5},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{1899, 12, 29, 0, 0, 0}, -1.0},
        {{1900, 3, 1, 0, 0, 0}, 61.0},
        {{2019, 3, 11, 0, 0, 0}, 43535.0},
        {{2019, 3, 11, 11, 19, 43}, 43535.472025462965},
        {{100, 1, 1, 0, 0, 0}, min_date_time},
        {{9999, 12, 31, 0, 0, 0}, max_date_time},
        {{2000, 2, 29, 0, 0, 0}, 36585.0},
    };
    for (const auto& [fields, value] : cases) {
        EXPECT_EQ(date_time_from_fields(fields), value) << fields.year << '-' << fields.month << '-' << fields.day;
    }
}

TEST(DateTimeFromFields, BuildsTheTimeOfDayFromTheOneSecondConstant) {
    // Values are compared with ==, so the bits must be those of S * (1/86400)
    // added to or taken from the day, not of S / 86400.
    const double second = 1.1574074074074073e-05;
    EXPECT_EQ(date_time_from_fields({2019, 3, 11, 11, 19, 43}), 43535.0 + 40783 * second);
    EXPECT_EQ(date_time_from_fields({1899, 12, 29, 23, 59, 59}), -1.0 - 86399 * second);
    EXPECT_EQ(date_time_from_fields({100, 1, 1, 0, 0, 1}), min_date_time - second);
    EXPECT_EQ(date_time_from_fields({9999, 12, 31, 23, 59, 59}), max_date_time + 86399 * second);
}

TEST(DateTimeFields, GivesTheNearestWholeSecond) {
    const double half = 0.5 / 86400;
    const FieldsAndValue cases[] = {
        {{1899, 12, 30, 12, 0, 0}, 0.5 + 0.8 * half},
        {{1899, 12, 30, 12, 0, 1}, 0.5 + 1.2 * half},
        {{1899, 12, 30, 11, 59, 59}, 0.5 - 1.2 * half},
        {{1899, 12, 29, 6, 0, 0}, -1.25 - 0.8 * half},
        {{1899, 12, 29, 6, 0, 1}, -1.25 - 1.2 * half},
        {{1899, 12, 31, 0, 0, 0}, 1.0 - 0.8 * half},
        {{1899, 12, 30, 23, 59, 59}, 1.0 - 1.2 * half},
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1899, 12, 30, 0, 0, 0}, 0.8 * half},
        {{9999, 12, 31, 23, 59, 59}, date_time_from_fields({9999, 12, 31, 23, 59, 59})},
        {{100, 1, 1, 0, 0, 0}, min_date_time},
    };
    for (const auto& [fields, value] : cases) {
        EXPECT_EQ(date_time_fields(value), fields) << value;
    }
}

TEST(LimitDateTime, ClampsToTheRangeAndTurnsNanIntoTheLowestValue) {
    const std::pair<double, double> cases[] = {
        {nan, min_date_time},        {-infinity, min_date_time},   {infinity, max_date_time},
        {min_date_time - 1e-9, min_date_time}, {min_date_time, min_date_time},
        {max_date_time + 0.99, max_date_time}, {max_date_time, max_date_time},
        {-1.25, -1.25},              {0.0, 0.0},                   {43535.472025462965, 43535.472025462965},
    };
    for (const auto& [value, limited] : cases) {
        EXPECT_EQ(limit_date_time(value), limited) << value;
    }
}

TEST(SameMoment, IsExactEqualityAfterTheLimit) {
    const double last_second = date_time_from_fields({9999, 12, 31, 23, 59, 59});
    const double moment = date_time_from_fields({2019, 3, 11, 11, 19, 43});
    EXPECT_TRUE(same_moment(last_second, max_date_time));
    EXPECT_TRUE(same_moment(max_date_time + 5, last_second));
    EXPECT_TRUE(same_moment(min_date_time - 5, min_date_time));
    EXPECT_TRUE(same_moment(date_time_from_fields({100, 1, 1, 0, 0, 1}), min_date_time));
    EXPECT_TRUE(same_moment(nan, min_date_time));
    EXPECT_TRUE(same_moment(nan, nan));
    EXPECT_TRUE(same_moment(moment, 43535.472025462965));
    EXPECT_FALSE(same_moment(moment, std::nextafter(moment, 0.0)));
    EXPECT_FALSE(same_moment(moment, date_time_from_fields({2019, 3, 11, 11, 19, 44})));
    EXPECT_FALSE(same_moment(nan, 0.0));
}

TEST(MomentSeconds, CountsOnOneLineAcrossZero) {
    const std::pair<DateTimeFields, std::int64_t> cases[] = {
        {{1899, 12, 28, 23, 59, 59}, -86401},
        {{1899, 12, 29, 0, 0, 0}, -86400},
        {{1899, 12, 29, 6, 0, 0}, -64800},
        {{1899, 12, 29, 23, 59, 59}, -1},
        {{1899, 12, 30, 0, 0, 0}, 0},
        {{1899, 12, 30, 0, 0, 1}, 1},
        {{1899, 12, 31, 0, 0, 0}, 86400},
        {{100, 1, 1, 0, 0, 0}, -657434LL * 86400},
        {{9999, 12, 31, 0, 0, 0}, 2958465LL * 86400},
    };
    for (const auto& [fields, seconds] : cases) {
        EXPECT_EQ(moment_seconds(date_time_from_fields(fields)), seconds) << fields.year << '-' << fields.day;
    }
}

TEST(MomentSeconds, LimitsTheValueFirst) {
    EXPECT_EQ(moment_seconds(date_time_from_fields({9999, 12, 31, 23, 59, 59})), 2958465LL * 86400);
    EXPECT_EQ(moment_seconds(date_time_from_fields({100, 1, 1, 23, 59, 59})), -657434LL * 86400);
    EXPECT_EQ(moment_seconds(nan), -657434LL * 86400);
    EXPECT_EQ(moment_seconds(min_date_time - 100), -657434LL * 86400);
}

// A calendar of the test's own, so that the walk does not lean on the code it
// checks.
int month_length(int year, int month) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

TEST(DateTimeWholeSeconds, EveryDayOfTheRangeRoundTripsThroughFieldsAndText) {
    const DateTimeFields times[] = {
        {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 7}, {0, 0, 0, 6, 0, 0}, {0, 0, 0, 11, 19, 43}, {0, 0, 0, 23, 59, 59},
    };
    int failures = 0;
    auto fail = [&failures](const DateTimeFields& f, const char* what) {
        ADD_FAILURE() << what << " at " << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':'
                      << f.minute << ':' << f.second;
        return ++failures >= 10;
    };
    std::int64_t day_number = -657434;  // 0100-01-01
    for (int year = 100; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= month_length(year, month); ++day, ++day_number) {
                for (const DateTimeFields& time : times) {
                    const DateTimeFields f{year, month, day, time.hour, time.minute, time.second};
                    const int second_of_day = 3600 * f.hour + 60 * f.minute + f.second;
                    const double value = date_time_from_fields(f);
                    if (std::trunc(value) != static_cast<double>(day_number) ||
                        std::round(std::fabs(value - std::trunc(value)) * 86400) != second_of_day) {
                        if (fail(f, "value is not the day and its time of day")) return;
                    }
                    if (date_time_fields(value) != f && fail(f, "fields do not come back")) return;
                    // Past midnight of 0100-01-01 the time of day is taken from the
                    // lowest value, and past midnight of 9999-12-31 added to the
                    // highest: both lie outside the range and are limited.
                    if (value < min_date_time || value > max_date_time) continue;
                    if (moment_seconds(value) != day_number * 86400 + second_of_day &&
                        fail(f, "moment seconds off the line")) {
                        return;
                    }
                    if (parse_date_time_text(date_time_text(value)) != value && fail(f, "text does not read back")) {
                        return;
                    }
                }
            }
        }
    }
    EXPECT_EQ(day_number, 2958466);
}

}  // namespace
}  // namespace velquor
