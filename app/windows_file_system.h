// The schedule file's operations on Windows.
#pragma once

#include "core/platform.h"

namespace velquor {

class WindowsFileSystem final : public FileSystem {
public:
    std::optional<std::string> documents_folder_path() override;
    std::string read_whole_file(const std::string& path) override;
    std::unique_ptr<OutputFile> create_file(const std::string& path) override;
    // Retries for a while when another program (a scanner, an indexer) holds
    // the file.
    bool replace_file(const std::string& from, const std::string& to) override;
    void remove_file(const std::string& path) override;
};

class WindowsMessageBoxes final : public MessageBoxes {
public:
    void show_message_box(std::string_view text, std::string_view caption,
                          MessageIcon icon) override;
};

// Hands the target to the shell's open operation, byte for byte: no
// parameters, the default working directory, a normal window.
void launch_target(const std::string& target);

}  // namespace velquor
