#include <gtest/gtest.h>

#include <limits>

#include "core/date_time.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;

TEST(DateTimeText, LeavesOutTrailingZeroTimeFields) {
    const std::pair<DateTimeFields, std::u8string_view> cases[] = {
        {{2019, 3, 11, 11, 19, 43}, u8"2019年3月11日11时19分43秒"},
        {{2019, 3, 11, 9, 5, 0}, u8"2019年3月11日9时5分"},
        {{2019, 3, 11, 9, 0, 0}, u8"2019年3月11日9时"},
        {{2019, 3, 11, 0, 0, 0}, u8"2019年3月11日"},
        {{2019, 3, 11, 0, 5, 0}, u8"2019年3月11日0时5分"},
        {{2019, 3, 11, 0, 0, 7}, u8"2019年3月11日0时0分7秒"},
        {{2019, 3, 11, 10, 0, 30}, u8"2019年3月11日10时0分30秒"},
        {{2024, 12, 1, 23, 59, 59}, u8"2024年12月1日23时59分59秒"},
        {{1899, 12, 29, 6, 0, 0}, u8"1899年12月29日6时"},
        {{100, 1, 2, 0, 0, 1}, u8"100年1月2日0时0分1秒"},
    };
    for (const auto& [fields, text] : cases) {
        EXPECT_EQ(date_time_text(date_time_from_fields(fields)), gbk(text));
    }
}

TEST(DateTimeText, WritesTheExactGbkBytes) {
    EXPECT_EQ(date_time_text(43535.472025462965),
              "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "11\xCA\xB1" "19\xB7\xD6" "43\xC3\xEB");
}

TEST(DateTimeText, LimitsTheValueFirst) {
    const std::pair<double, std::u8string_view> cases[] = {
        {0.0, u8"1899年12月30日"},
        {-1.25, u8"1899年12月29日6时"},
        {max_date_time, u8"9999年12月31日"},
        {date_time_from_fields({9999, 12, 31, 23, 59, 59}), u8"9999年12月31日"},
        {1e300, u8"9999年12月31日"},
        {min_date_time, u8"100年1月1日"},
        // The time of day of 0100-01-01 is taken from the lowest value, so any
        // moment after its midnight lies below the range.
        {date_time_from_fields({100, 1, 1, 0, 0, 1}), u8"100年1月1日"},
        {date_time_from_fields({100, 1, 1, 23, 59, 59}), u8"100年1月1日"},
        {-1e300, u8"100年1月1日"},
        {std::numeric_limits<double>::quiet_NaN(), u8"100年1月1日"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(date_time_text(value), gbk(text)) << value;
    }
}

}  // namespace
}  // namespace velquor
