// A table whose cells can be written as row lines comes back from its file
// text unchanged, byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/schedule_file.h"

namespace {

// Steps through text as the schedule file does: a byte of 0x80 or more and
// the byte after it are one character. Gives false when the text holds
// `unwanted` as a character sequence or ends inside a character.
bool writable(std::string_view text, std::string_view unwanted) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.substr(at, unwanted.size()) == unwanted) return false;
        if (text[at] == '\n') return false;
        const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
        if (lead && at + 1 == text.size()) return false;
        at += lead ? 2 : 1;
    }
    return true;
}

}  // namespace

// The input is cut into cells at 0x00 bytes, three to a row.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        if (at == bytes.size() || bytes[at] == '\0') {
            cells.emplace_back(bytes.substr(start, at - start));
            start = at + 1;
        }
    }
    velquor::ScheduleTable table;
    for (std::size_t i = 0; i + 3 <= cells.size(); i += 3) {
        if (!writable(cells[i], "=") || !writable(cells[i + 1], "\xA3\xAC") ||  // ，
            !writable(cells[i + 2], "\n"))
            return 0;
        const int row = table.append_row();
        for (int column = 0; column < 3; ++column) table.set_cell(row, column, cells[i + column]);
    }
    velquor::ScheduleTable loaded;
    velquor::load_schedule_text(loaded, velquor::schedule_file_text(table));
    if (loaded.row_count() != table.row_count()) std::abort();
    for (int row = 0; row < table.row_count(); ++row)
        for (int column = 0; column < 3; ++column)
            if (loaded.cell_text(row, column) != table.cell_text(row, column)) std::abort();
    return 0;
}
