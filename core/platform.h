// What the schedule core needs from the operating system. The Windows program
// fills these in; tests use fakes.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velquor {

// A file being written. Destroying it closes it.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Gives the number of bytes written, which is fewer than asked on failure.
    virtual std::size_t write(std::string_view bytes) = 0;
    // Forces the written bytes to the disk.
    virtual bool flush() = 0;
    virtual bool close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The per-user documents folder, without creating it; nothing when the
    // platform has none.
    virtual std::optional<std::string> documents_folder_path() = 0;
    // The whole file, with others allowed to read but not to write meanwhile;
    // a missing, unreadable or empty file gives no bytes.
    virtual std::string read_whole_file(const std::string& path) = 0;
    // Creates the file, or empties an existing one, for writing with no other
    // opener allowed; null when it cannot be opened.
    virtual std::unique_ptr<OutputFile> create_file(const std::string& path) = 0;
    // Puts the file at `from` in the place of `to` in one step, replacing it.
    virtual bool replace_file(const std::string& from, const std::string& to) = 0;
    virtual void remove_file(const std::string& path) = 0;
};

enum class MessageIcon { information, warning };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // One OK button, modal to the whole program; returns when it is closed.
    virtual void show_message_box(std::string_view text, std::string_view caption,
                                  MessageIcon icon) = 0;
};

}  // namespace velquor
