// The schedule file's bytes and the table they stand for.
#include "gbk_chars.h"
#include "schedule_file.h"

namespace velquor {
namespace {

constexpr std::string_view header_line = "[Velquor\xA3\xBA" /* ： */ "]\r\n";
constexpr std::string_view full_width_comma = "\xA3\xAC" /* ， */;

// Lines end at an LF that starts a character, and a CR that stands as a
// character just before it goes with it, so files with CR LF and with LF alone
// both read line by line.
std::vector<std::string_view> text_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    bool after_cr = false;
    for (std::size_t at = 0; at < text.size(); at += char_size(text, at)) {
        if (text[at] == '\n') {
            lines.push_back(text.substr(start, at - start - (after_cr ? 1 : 0)));
            start = at + 1;
        }
        after_cr = text[at] == '\r';
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start, text.size() - start - (after_cr ? 1 : 0)));
    }
    return lines;
}

// The number is cut off at the first "=", the target at the first "，" after
// it, so the target keeps any later "=" and "，" and a moment may hold "=".
void append_row_line(ScheduleTable& table, std::string_view line) {
    const std::size_t equals = find_on_char_boundary(line, "=");
    if (equals == std::string_view::npos) return;
    const std::string_view rest = line.substr(equals + 1);
    const std::size_t comma = find_on_char_boundary(rest, full_width_comma);
    const int row = table.append_row();
    table.set_cell(row, number_column, std::string(line.substr(0, equals)));
    table.set_cell(row, moment_column, std::string(rest.substr(0, comma)));
    if (comma != std::string_view::npos) {
        table.set_cell(row, target_column, std::string(rest.substr(comma + full_width_comma.size())));
    }
}

}  // namespace

std::string schedule_file_text(const ScheduleTable& table) {
    std::string text(header_line);
    for (int row = 0; row < table.row_count(); ++row) {
        text += table.cell(row, number_column);
        text += '=';
        text += table.cell(row, moment_column);
        text += full_width_comma;
        text += table.cell(row, target_column);
        text += "\r\n";
    }
    return text;
}

void load_schedule_text(ScheduleTable& table, std::string_view bytes) {
    table.remove_all_rows();
    const std::vector<std::string_view> lines = text_lines(bytes.substr(0, bytes.find('\0')));
    // A file written by hand may lack the header; its first line is then a row.
    const bool has_header = !lines.empty() && lines.front().starts_with('[');
    for (std::size_t i = has_header ? 1 : 0; i < lines.size(); ++i) {
        if (!lines[i].empty()) append_row_line(table, lines[i]);
    }
}

}  // namespace velquor
