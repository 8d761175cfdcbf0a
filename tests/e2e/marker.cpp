// A program that the tests schedule: it shows nothing and appends one line,
// its own file name and the precise time it ran, to markers.log in its own
// folder. Copies under several names tell the rows apart.
#include <windows.h>

#include <string>

namespace {

constexpr int open_attempts = 500;
constexpr DWORD open_pause_ms = 10;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;

    // Wide on purpose: the folder may hold GBK names, and a backslash can be
    // the second byte of a GBK character.
    wchar_t self[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) return 1;
    const std::wstring path(self);
    const std::size_t slash = path.find_last_of(L'\\');
    const std::wstring log = path.substr(0, slash) + L"\\markers.log";

    std::string line;
    for (wchar_t c : path.substr(slash + 1)) line += static_cast<char>(c < 0x80 ? c : '?');
    line += ' ' + std::to_string(ticks) + "\r\n";

    // Rows due in the same second start their markers together; whoever finds
    // the log open waits its turn.
    for (int attempt = 0; attempt < open_attempts; ++attempt) {
        const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_SHARING_VIOLATION) return 2;
            Sleep(open_pause_ms);
            continue;
        }
        DWORD written = 0;
        const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written,
                                  nullptr);
        CloseHandle(file);
        return ok && written == line.size() ? 0 : 3;
    }
    return 4;
}
