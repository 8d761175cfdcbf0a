// The schedule while the program runs: rows of three texts, in the order in
// which they were added. It interprets nothing; a moment is text here.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
    void remove_row(int row);
    void remove_all_rows();

private:
    std::vector<std::array<std::string, 3>> rows_;
};

// Appends the row numbered by the row count after the append, with the
// moment's date-time text and the path as it stands.
void add_entry(ScheduleTable& table, double moment, std::string_view path);

// Removes the selected row; -1 (no selection) leaves the table as it is.
void delete_selected(ScheduleTable& table, int selected_row);

}  // namespace velquor
