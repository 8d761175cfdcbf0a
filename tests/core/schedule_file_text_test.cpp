#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/schedule_file.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;
using Row = std::array<std::string, 3>;
using Rows = std::vector<Row>;

const std::string header = "[Velquor\xA3\xBA]\r\n";

Rows rows_of(const ScheduleTable& table) {
    Rows rows;
    for (int row = 0; row < table.row_count(); ++row) {
        rows.push_back({table.cell_text(row, 0), table.cell_text(row, 1), table.cell_text(row, 2)});
    }
    return rows;
}

ScheduleTable table_of(const Rows& rows) {
    ScheduleTable table;
    for (const Row& cells : rows) {
        const int row = table.append_row();
        for (int column = 0; column < 3; ++column) table.set_cell(row, column, cells[static_cast<std::size_t>(column)]);
    }
    return table;
}

Rows loaded(std::string_view bytes) {
    ScheduleTable table;
    load_schedule_text(table, bytes);
    return rows_of(table);
}

TEST(ScheduleFileText, IsTheHeaderLineAloneForAnEmptyTable) {
    EXPECT_EQ(schedule_file_text(ScheduleTable{}), "\x5BVelquor\xA3\xBA\x5D\x0D\x0A");
}

TEST(ScheduleFileText, WritesOneLinePerRowInTableOrder) {
    const ScheduleTable table = table_of({
        {"1", gbk(u8"2024年5月6日7时8分9秒"), "D:\\jobs\\backup.bat"},
        {"", "", ""},
        {"7", "x", gbk(u8"D:\\工作\\表.xls")},
    });
    EXPECT_EQ(schedule_file_text(table),
              header + "1=2024\xC4\xEA" "5\xD4\xC2" "6\xC8\xD5" "7\xCA\xB1" "8\xB7\xD6" "9\xC3\xEB" "\xA3\xAC" "D:\\jobs\\backup.bat\r\n"
                       "=\xA3\xAC\r\n"
                       "7=x\xA3\xAC" "D:\\\xB9\xA4\xD7\xF7\\\xB1\xED.xls\r\n");
}

TEST(LoadScheduleText, MapsEachRowLineToItsCells) {
    const std::string t = gbk(u8"2019年3月11日11时19分43秒");
    const std::pair<std::string, Row> cases[] = {
        {"1=" + t + gbk(u8"，P"), {"1", t, "P"}},
        {"=" + t + gbk(u8"，P"), {"", t, "P"}},
        {gbk(u8"1=，P"), {"1", "", "P"}},
        {"1=" + t + gbk(u8"，"), {"1", t, ""}},
        {"1=" + t, {"1", t, ""}},
        {"1=", {"1", "", ""}},
        {"=", {"", "", ""}},
        {"1=" + t + gbk(u8"，P1，P2"), {"1", t, gbk(u8"P1，P2")}},
        {"1=" + t + gbk(u8"，P1=P2"), {"1", t, "P1=P2"}},
        {"1==" + t + gbk(u8"，P"), {"1", "=" + t, "P"}},
        {gbk(u8"1，2=T，P"), {gbk(u8"1，2"), "T", "P"}},
        // "，" across two characters is no comma; "=" as a second byte is no
        // equals sign.
        {std::string("1=\xB0\xA3\xAC\x40") + gbk(u8"，P"), {"1", "\xB0\xA3\xAC\x40", "P"}},
        {"\x81==T", {"\x81=", "T", ""}},
        {gbk(u8" 1 = T ， P "), {" 1 ", " T ", " P "}},
        // A CR that is the second byte of a character is no line end.
        {gbk(u8"1=T，P") + "\x81\r", {"1", "T", "P\x81\r"}},
    };
    for (const auto& [line, cells] : cases) {
        EXPECT_EQ(loaded(header + line + "\r\n"), Rows{cells}) << line;
    }
}

TEST(LoadScheduleText, CopesWithFilesWrittenByHand) {
    const std::string p = gbk(u8"，P");
    const std::pair<std::string, Rows> cases[] = {
        {"", {}},
        {header, {}},
        {header.substr(0, header.size() - 2), {}},
        {header + "1=T" + p + "\r\n2=U" + p + "\r\n", {{"1", "T", "P"}, {"2", "U", "P"}}},
        // LF alone ends lines too.
        {header + "1=T" + p + "\n2=U" + p + "\n", {{"1", "T", "P"}, {"2", "U", "P"}}},
        {"1=T" + p + "\n2=U" + p, {{"1", "T", "P"}, {"2", "U", "P"}}},
        // Without the header the first line is a row.
        {"1=T" + p + "\r\n", {{"1", "T", "P"}}},
        {"\r\n1=T" + p + "\r\n", {{"1", "T", "P"}}},
        // Another header text is still the header.
        {"[other]\r\n1=T" + p + "\r\n", {{"1", "T", "P"}}},
        {header + "1=T" + p, {{"1", "T", "P"}}},
        {header + "1=T" + p + "\r", {{"1", "T", "P"}}},
        {header + "\r\n\r\n1=T" + p + "\r\n\r\n\n\r\n", {{"1", "T", "P"}}},
        {header + "no equals sign\r\n1=T" + p + "\r\n" + gbk(u8"＝") + "\r\n", {{"1", "T", "P"}}},
        {header + "1=T" + p + "\r\n2=U" + std::string("\0", 1) + "\r\n3=V\r\n", {{"1", "T", "P"}, {"2", "U", ""}}},
        {std::string("\0", 1) + header + "1=T" + p + "\r\n", {}},
        {header + "1=T" + p + "\r\n\xB0", {{"1", "T", "P"}}},
        {header + "1=T" + p + "\xB0", {{"1", "T", "P\xB0"}}},
        {header + "1=T" + p + "\xB0\r\n", {{"1", "T", "P\xB0\r"}}},
        {header + "1=T\xA3", {{"1", "T\xA3", ""}}},
    };
    for (const auto& [bytes, rows] : cases) {
        EXPECT_EQ(loaded(bytes), rows) << bytes;
    }
}

TEST(LoadScheduleText, ReplacesTheTable) {
    ScheduleTable table = table_of({{"9", "old", "old"}, {"8", "old", "old"}});
    load_schedule_text(table, header);
    EXPECT_EQ(table.row_count(), 0);
    const std::string bytes = header + "1=T" + gbk(u8"，P") + "\r\n";
    load_schedule_text(table, bytes);
    load_schedule_text(table, bytes);
    EXPECT_EQ(rows_of(table), (Rows{{"1", "T", "P"}}));
}

TEST(LoadScheduleText, GivesBackEverySavedTableWhoseCellsCanBeCut) {
    const std::string t = gbk(u8"2019年3月11日11时19分43秒");
    const std::vector<Rows> cases = {
        {},
        {{"", "", ""}},
        {{"1", t, "D:\\jobs\\backup.bat"}, {"1", t, "D:\\jobs\\backup.bat"}, {"3", "", ""}},
        {{"2", t, gbk(u8"D:\\备份，文件=1\\a=b，c.bat")}},
        {{gbk(u8"1，2"), "=" + t + "=", gbk(u8"=，")}},
        {{"\x81=", "\xB0\xA3", "\xB0\xA3\xAC\x40"}},
        {{"\x95\\", "\x81\\", "\x81\\\x95\\"}},
        {{"[x]", "\x81\n", "\x81\r"}},
        {{"\r", "a\rb", "\r"}},
        {{"1", "2019-03-11 11:19:43", gbk(u8"D:\\工作\\表 ")}, {"2", "2019/3/11", ""}},
        {{std::string(70000, 'n'), std::string(70000, 'm'), std::string(70000, 't')}},
    };
    for (const Rows& rows : cases) {
        EXPECT_EQ(loaded(schedule_file_text(table_of(rows))), rows);
    }
}

// How fast is the benchmarks' business; here the rows of a megabyte all arrive.
TEST(LoadScheduleText, LoadsMegabyteFilesWhole) {
    std::string one_line = header;
    one_line += std::string(1 << 20, '=');
    const std::string row_line = gbk(u8"12=2019年3月11日11时19分43秒，D:\\备份\\a.bat\r\n");
    std::string many_rows = header;
    std::size_t row_count = 0;
    for (; many_rows.size() < (1u << 20); ++row_count) many_rows += row_line;
    std::string lone_lead_bytes = header + "1=";
    lone_lead_bytes += std::string(1 << 20, '\xB0');

    EXPECT_EQ(loaded(one_line).size(), 1u);
    EXPECT_EQ(loaded(many_rows).size(), row_count);
    EXPECT_EQ(loaded(lone_lead_bytes).size(), 1u);
}

}  // namespace
}  // namespace velquor
