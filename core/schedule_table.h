// The schedule while the program runs: rows of three texts, in the order in
// which they were added. The texts are what is stored; beside each moment
// cell the table keeps what it reads as, because the due check asks for every
// row's moment once a second and reading the text again each time is what
// would make a long schedule's pass slow.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "date_time.h"

namespace velquor {

enum Column { number_column = 0, moment_column = 1, target_column = 2 };

class ScheduleTable {
public:
    int row_count() const;
    int columns_per_row() const;
    // Adds a row of empty cells at the end and gives its index.
    int append_row();
    // Positions outside the table are ignored by set_cell and remove_row and
    // read as an empty text by cell_text.
    void set_cell(int row, int column, std::string text);
    std::string cell_text(int row, int column) const;
    // The cell itself, no copy; empty for positions outside the table.
    const std::string& cell(int row, int column) const;
    // What the row's moment cell reads as (parse_date_time_text), kept in
    // step with the cell; min_date_time outside the table.
    double moment_of(int row) const;
    void remove_row(int row);
    void remove_all_rows();

private:
    struct Row {
        std::array<std::string, 3> cells;
        double moment = min_date_time;
    };
    std::vector<Row> rows_;
};

// Appends the row numbered by the row count after the append, with the
// moment's date-time text and the path as it stands.
void add_entry(ScheduleTable& table, double moment, std::string_view path);

// Removes the selected row; -1 (no selection) leaves the table as it is.
void delete_selected(ScheduleTable& table, int selected_row);

}  // namespace velquor
