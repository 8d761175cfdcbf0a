// Saving and loading the schedule file through the platform's files.
#include <memory>

#include "schedule_file.h"

namespace velquor {
namespace {

constexpr std::size_t write_chunk_size = 64 * 1024;

// Writes every byte or reports failure: a short write is a failure too.
bool write_all(OutputFile& file, std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += write_chunk_size) {
        const std::string_view chunk = bytes.substr(at, write_chunk_size);
        if (file.write(chunk) != chunk.size()) return false;
    }
    return true;
}

}  // namespace

std::string schedule_file_path(FileSystem& files) {
    // Without a documents folder the file lies at the root of the current drive.
    return files.documents_folder_path().value_or("") + "\\Velquor.ini";
}

bool write_whole_file(FileSystem& files, const std::string& path, std::string_view bytes) {
    const std::string temporary_path = path + ".tmp";
    std::unique_ptr<OutputFile> file = files.create_file(temporary_path);
    if (!file) return false;
    const bool written = write_all(*file, bytes) && file->flush() && file->close();
    // No handle may stay open: the temporary file can neither be moved nor
    // removed while one is.
    file.reset();
    if (written && files.replace_file(temporary_path, path)) return true;
    files.remove_file(temporary_path);
    return false;
}

void save_schedule(const ScheduleTable& table, FileSystem& files, MessageBoxes& boxes) {
    constexpr std::string_view caption = "\xCC\xE1\xCA\xBE\xD0\xC5\xCF\xA2\xA3\xBA" /* 提示信息： */;
    if (write_whole_file(files, schedule_file_path(files), schedule_file_text(table))) {
        boxes.show_message_box("\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6" /* 保存成功 */, caption,
                               MessageIcon::information);
    } else {
        boxes.show_message_box("\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC" /* 保存失败 */, caption,
                               MessageIcon::warning);
    }
}

void load_schedule(ScheduleTable& table, FileSystem& files) {
    // A missing file reads as no bytes, which leave no rows.
    load_schedule_text(table, files.read_whole_file(schedule_file_path(files)));
}

}  // namespace velquor
