// The schedule file, "Velquor.ini" in the documents folder: a header line and
// one line per row, "number=moment，target", GBK bytes, CR LF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform.h"
#include "schedule_table.h"

namespace velquor {

// Cuts text at every delimiter that starts on a character boundary (a byte of
// 0x80 or more starts a two-byte character). Empty pieces count, except an
// empty last one; an empty text gives no pieces.
std::vector<std::string> split_pieces(std::string_view text, std::string_view delimiter);

// Exactly the bytes that save_schedule writes.
std::string schedule_file_text(const ScheduleTable& table);

// Replaces the table with the rows that the file's bytes hold.
void load_schedule_text(ScheduleTable& table, std::string_view bytes);

// The folder's path and "Velquor.ini" joined by a backslash.
std::string schedule_file_path(FileSystem& files);

// Writes bytes to a temporary file beside path and moves it into place, so
// that the file at path is either the old one or the new one, never a mix.
// On failure the temporary file is removed.
bool write_whole_file(FileSystem& files, const std::string& path, std::string_view bytes);

// Writes the table to the schedule file and tells the user how that went.
void save_schedule(const ScheduleTable& table, FileSystem& files, MessageBoxes& boxes);

// Replaces the table with the schedule file's rows; shows nothing.
void load_schedule(ScheduleTable& table, FileSystem& files);

}  // namespace velquor
