#include "schedule_table.h"

#include <utility>

#include "date_time.h"

namespace velquor {

int ScheduleTable::row_count() const {
    return static_cast<int>(rows_.size());
}

int ScheduleTable::columns_per_row() const {
    return 3;
}

int ScheduleTable::append_row() {
    rows_.emplace_back();
    return row_count() - 1;
}

void ScheduleTable::set_cell(int row, int column, std::string text) {
    if (row < 0 || row >= row_count() || column < 0 || column >= columns_per_row()) return;
    Row& stored = rows_[static_cast<std::size_t>(row)];
    stored.cells[static_cast<std::size_t>(column)] = std::move(text);
    if (column == moment_column) stored.moment = parse_date_time_text(stored.cells[moment_column]);
}

std::string ScheduleTable::cell_text(int row, int column) const {
    return cell(row, column);
}

const std::string& ScheduleTable::cell(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= row_count() || column < 0 || column >= columns_per_row()) return empty;
    return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

double ScheduleTable::moment_of(int row) const {
    if (row < 0 || row >= row_count()) return min_date_time;
    return rows_[static_cast<std::size_t>(row)].moment;
}

void ScheduleTable::remove_row(int row) {
    if (row < 0 || row >= row_count()) return;
    rows_.erase(rows_.begin() + row);
}

void ScheduleTable::remove_all_rows() {
    rows_.clear();
}

void add_entry(ScheduleTable& table, double moment, std::string_view path) {
    const int row = table.append_row();
    // The number is the row count, not one more than the highest number, so
    // after a deletion two rows can carry the same number.
    table.set_cell(row, number_column, std::to_string(table.row_count()));
    table.set_cell(row, moment_column, date_time_text(moment));
    table.set_cell(row, target_column, std::string(path));
}

void delete_selected(ScheduleTable& table, int selected_row) {
    table.remove_row(selected_row);
}

}  // namespace velquor
