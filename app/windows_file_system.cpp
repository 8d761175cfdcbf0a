#include "app/windows_file_system.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <limits>

#include "ui/handles.h"

namespace velquor {
namespace {

constexpr int replace_attempts = 10;
constexpr DWORD replace_pause_ms = 50;

class WindowsOutputFile final : public OutputFile {
public:
    explicit WindowsOutputFile(UniqueHandle file) : file_(std::move(file)) {}

    std::size_t write(std::string_view bytes) override {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(bytes.size());
        if (!WriteFile(file_.get(), bytes.data(), size, &written, nullptr)) return 0;
        return written;
    }
    bool flush() override { return FlushFileBuffers(file_.get()) != 0; }
    bool close() override { return file_.close(); }

private:
    UniqueHandle file_;
};

bool held_by_another_program(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::optional<std::string> WindowsFileSystem::documents_folder_path() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE)) return std::nullopt;
    return std::string(path);
}

std::string WindowsFileSystem::read_whole_file(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(
            std::min<std::size_t>(bytes.size() - done, std::numeric_limits<DWORD>::max() / 2));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

std::unique_ptr<OutputFile> WindowsFileSystem::create_file(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<WindowsOutputFile>(std::move(file));
}

bool WindowsFileSystem::replace_file(const std::string& from, const std::string& to) {
    // Windows refuses to replace a read-only file; Wine, running as a Unix
    // user who may write anyway, would not.
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == replace_attempts || !held_by_another_program(GetLastError())) return false;
        Sleep(replace_pause_ms);
    }
}

void WindowsFileSystem::remove_file(const std::string& path) { DeleteFileA(path.c_str()); }

void WindowsMessageBoxes::show_message_box(std::string_view text, std::string_view caption,
                                           MessageIcon icon) {
    const UINT icon_flag = icon == MessageIcon::information ? MB_ICONINFORMATION
                                                            : MB_ICONEXCLAMATION;
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(),
                MB_OK | icon_flag | MB_TASKMODAL);
}

void launch_target(const std::string& target) {
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, "", SW_SHOWNORMAL);
}

}  // namespace velquor
