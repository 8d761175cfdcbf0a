#include "bench/launch_log.h"

#include <cstdlib>

#include "app/windows_file_system.h"

namespace velquor::bench {

unsigned long long precise_now() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

LaunchLog::LaunchLog(const std::string& path) {
    if (path.empty()) return;
    file_ = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

LaunchLog::~LaunchLog() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void LaunchLog::launch(const std::string& target) {
    const unsigned long long before = precise_now();
    velquor::launch_target(target);
    const unsigned long long after = precise_now();
    // Written after the call, so that the write does not delay this launch.
    write_line(std::to_string(before) + ' ' + std::to_string(after) + ' ' + target);
}

void LaunchLog::write_line(const std::string& line) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    const std::string bytes = line + "\r\n";
    DWORD written = 0;
    WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string first_argument() {
    return __argc > 1 ? std::string(__argv[1]) : std::string();
}

}  // namespace velquor::bench
