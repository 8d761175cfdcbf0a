#include "app/program_folder.h"

#include <windows.h>

namespace velquor {

std::string folder_of_path(std::string_view path) {
    std::size_t last_backslash = std::string_view::npos;
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = static_cast<BYTE>(path[i]);
        if (byte == '\\') last_backslash = i;
        i += (IsDBCSLeadByte(byte) && i + 1 < path.size()) ? 2 : 1;
    }
    return last_backslash == std::string_view::npos ? std::string()
                                                     : std::string(path.substr(0, last_backslash));
}

std::string program_file_path() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A path that filled the buffer may have been cut: try a larger one.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace velquor
