#include <gtest/gtest.h>

#include "core/date_time.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;

TEST(ParseDateTimeText, ReadsTheTextFormAndTheNumericForms) {
    const std::pair<std::string, DateTimeFields> cases[] = {
        {gbk(u8"2019年3月11日11时19分43秒"), {2019, 3, 11, 11, 19, 43}},
        {"2019-03-11 11:19:43", {2019, 3, 11, 11, 19, 43}},
        {"2019/3/11", {2019, 3, 11, 0, 0, 0}},
        {"2019.3.11 8:05", {2019, 3, 11, 8, 5, 0}},
        {gbk(u8"2019-3-11 11时19分"), {2019, 3, 11, 11, 19, 0}},
        {"20190311111943", {2019, 3, 11, 11, 19, 43}},
        {gbk(u8"２０１９－０３－１１"), {2019, 3, 11, 0, 0, 0}},
        {"2019-03-11 ", {2019, 3, 11, 0, 0, 0}},
        {"2019-12-311", {2019, 12, 31, 1, 0, 0}},
        {gbk(u8"2019年3月11日11时19分43秒 and more"), {2019, 3, 11, 11, 19, 43}},
        {gbk(u8"2019年3月11日11时19分43秒秒"), {2019, 3, 11, 11, 19, 43}},
        {gbk(u8"2019年3月11日"), {2019, 3, 11, 0, 0, 0}},
        {gbk(u8"2019年3月11日9时5分"), {2019, 3, 11, 9, 5, 0}},
        {gbk(u8"2019年3月11日0时0分7秒"), {2019, 3, 11, 0, 0, 7}},
        {"100-1-1", {100, 1, 1, 0, 0, 0}},
        {"9999-12-31 23:59:59", {9999, 12, 31, 23, 59, 59}},
        {"2000-02-29", {2000, 2, 29, 0, 0, 0}},
        {"2020-02-29", {2020, 2, 29, 0, 0, 0}},
        {"2400-02-29", {2400, 2, 29, 0, 0, 0}},
        // Any of the numeric separators after any field.
        {"2019:3.11/8-5", {2019, 3, 11, 8, 5, 0}},
        // Each unit only after its own field: 分 after the hour is no separator, so
        // the minute is 0 and the 5 is the second.
        {gbk(u8"2019年3-11日8分5"), {2019, 3, 11, 8, 0, 5}},
        // A field without digits is 0, so a separator can stand for it.
        {"2019-3-11 -5", {2019, 3, 11, 0, 5, 0}},
        // Full-width forms count as the narrow ones, the ideographic space as a
        // blank.
        {gbk(u8"２０１９／３．１１　１１：１９：４３"), {2019, 3, 11, 11, 19, 43}},
        {gbk(u8"2019-03-11　"), {2019, 3, 11, 0, 0, 0}},
        // A lead byte that ends the text has lost its second byte and is dropped.
        {"2019-03-11\xB0", {2019, 3, 11, 0, 0, 0}},
        {"2019-03-11 11:19:43\x81", {2019, 3, 11, 11, 19, 43}},
        // At most 4 digits of year and 2 of each other field: the next digit
        // starts the next field.
        {"201903111119", {2019, 3, 11, 11, 19, 0}},
        {"0100-01-01", {100, 1, 1, 0, 0, 0}},
        {"2019-3-11 1:2:3", {2019, 3, 11, 1, 2, 3}},
    };
    for (const auto& [text, fields] : cases) {
        EXPECT_EQ(parse_date_time_text(text), date_time_from_fields(fields)) << text;
    }
}

TEST(ParseDateTimeText, GivesTheLowestValueForWhatItDoesNotAccept) {
    const std::string cases[] = {
        "",
        " 2019-03-11",
        "2019-03-11 11:19:43 ",
        "2019-03-11  11:19:43",
        gbk(u8"2019年3月11日 11时19分43秒"),
        gbk(u8"2019年3月11日　11时19分43秒"),
        "2019-03-11T11:19:43",
        "2019-03-11 11:19:43.5",
        "2019-02-29",
        "2019-04-31",
        "2019-13-01",
        "2019-00-01",
        "2019-01-00",
        "1900-02-29",
        "2100-02-29",
        "2019-03-11 24:00:00",
        "2019-03-11 23:60:00",
        "2019-03-11 11:19:60",
        "99-1-1",
        "0099-1-1",
        "11:19:43",
        "20190",
        "10000-1-1",
        "x2019-03-11",
        // Five digits of the second field: the fifth cannot be a field of its own.
        "2019-03-11 11:19:431",
        // A two-byte character whose second byte is a digit is no digit.
        "2019-03-11 \x81" "11:19:43",
        "2019-03-11\x81" "1",
        "2019-03-11 11:19:43\x81" "1",
        "2019=3=11",
        gbk(u8"2019＝3＝11"),
        gbk(u8"2019年3月11日11时19分43分"),
        gbk(u8"2019月3月11日"),
        "\xB0",
    };
    for (const std::string& text : cases) {
        EXPECT_EQ(parse_date_time_text(text), min_date_time) << text;
    }
}

TEST(ParseDateTimeText, ReadsTheLastSecondBeyondTheRange) {
    const double last_second = parse_date_time_text("9999-12-31 23:59:59");
    EXPECT_GT(last_second, max_date_time);
    EXPECT_EQ(date_time_text(last_second), gbk(u8"9999年12月31日"));
    EXPECT_TRUE(same_moment(last_second, max_date_time));
}

}  // namespace
}  // namespace velquor
