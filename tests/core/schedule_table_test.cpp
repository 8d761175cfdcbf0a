#include <gtest/gtest.h>

#include "core/date_time.h"
#include "core/schedule_table.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;

std::vector<std::string> numbers(const ScheduleTable& table) {
    std::vector<std::string> cells;
    for (int row = 0; row < table.row_count(); ++row) cells.push_back(table.cell_text(row, number_column));
    return cells;
}

TEST(ScheduleTable, AppendsEmptyRowsAtTheEnd) {
    ScheduleTable table;
    EXPECT_EQ(table.row_count(), 0);
    EXPECT_EQ(table.columns_per_row(), 3);
    EXPECT_EQ(table.append_row(), 0);
    table.set_cell(0, target_column, "a");
    EXPECT_EQ(table.append_row(), 1);
    EXPECT_EQ(table.row_count(), 2);
    for (int column = 0; column < 3; ++column) EXPECT_EQ(table.cell_text(1, column), "");
    EXPECT_EQ(table.cell_text(0, target_column), "a");
}

TEST(ScheduleTable, IgnoresPositionsOutsideTheTable) {
    ScheduleTable table;
    table.set_cell(0, 0, "nothing there");
    EXPECT_EQ(table.row_count(), 0);
    table.append_row();
    table.set_cell(0, 0, "1");
    table.set_cell(0, 1, "m");
    table.set_cell(0, 2, "t");
    const std::pair<int, int> outside[] = {{1, 0}, {-1, 0}, {0, 3}, {0, -1}, {5, 5}};
    for (const auto& [row, column] : outside) {
        table.set_cell(row, column, "x");
        EXPECT_EQ(table.cell_text(row, column), "") << row << ',' << column;
        EXPECT_EQ(&table.cell(row, column), &table.cell(-1, -1));
        EXPECT_EQ(table.cell(row, column), "");
    }
    table.remove_row(1);
    table.remove_row(-1);
    ASSERT_EQ(table.row_count(), 1);
    EXPECT_EQ(table.cell_text(0, 0), "1");
    EXPECT_EQ(table.cell_text(0, 1), "m");
    EXPECT_EQ(table.cell_text(0, 2), "t");
}

TEST(ScheduleTable, CellIsTheStoredTextItself) {
    ScheduleTable table;
    table.append_row();
    table.set_cell(0, moment_column, std::string(1000, 'm'));
    const std::string& cell = table.cell(0, moment_column);
    EXPECT_EQ(&cell, &table.cell(0, moment_column));
    EXPECT_EQ(cell, std::string(1000, 'm'));
}

TEST(ScheduleTable, RemovingARowMovesTheLaterRowsUp) {
    ScheduleTable table;
    for (const char* number : {"a", "b", "c", "d"}) table.set_cell(table.append_row(), 0, number);
    table.remove_row(1);
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"a", "c", "d"}));
    table.remove_row(2);
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"a", "c"}));
    table.remove_all_rows();
    EXPECT_EQ(table.row_count(), 0);
    table.remove_all_rows();
    EXPECT_EQ(table.row_count(), 0);
}

TEST(AddEntry, NumbersTheRowByTheRowCountAfterTheAppend) {
    ScheduleTable table;
    add_entry(table, date_time_from_fields({2019, 3, 11, 11, 19, 43}), "D:\\jobs\\backup.bat");
    ASSERT_EQ(table.row_count(), 1);
    EXPECT_EQ(table.cell_text(0, number_column), "1");
    EXPECT_EQ(table.cell_text(0, moment_column), gbk(u8"2019年3月11日11时19分43秒"));
    EXPECT_EQ(table.cell_text(0, target_column), "D:\\jobs\\backup.bat");

    add_entry(table, 0.0, "");
    add_entry(table, 0.0, " ");
    delete_selected(table, 1);
    add_entry(table, -1.25, gbk(u8" D:\\备份\\文件 "));
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"1", "3", "3"}));
    EXPECT_EQ(table.cell_text(1, target_column), " ");
    EXPECT_EQ(table.cell_text(2, moment_column), gbk(u8"1899年12月29日6时"));
    EXPECT_EQ(table.cell_text(2, target_column), gbk(u8" D:\\备份\\文件 "));

    table.remove_all_rows();
    add_entry(table, 0.0, "");
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"1"}));
    EXPECT_EQ(table.cell_text(0, moment_column), gbk(u8"1899年12月30日"));
    EXPECT_EQ(table.cell_text(0, target_column), "");
}

TEST(DeleteSelected, WithoutASelectionLeavesTheTable) {
    ScheduleTable table;
    add_entry(table, 0.0, "a");
    add_entry(table, 0.0, "b");
    delete_selected(table, -1);
    delete_selected(table, 2);
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"1", "2"}));
    delete_selected(table, 0);
    EXPECT_EQ(numbers(table), (std::vector<std::string>{"2"}));
    EXPECT_EQ(table.cell_text(0, target_column), "b");
}

}  // namespace
}  // namespace velquor
