// The Windows side of scripts/bench.sh, run in the same Wine prefix as the
// programs it measures.
//
//     bench_driver startup RUNS EXE...
//         Starts each EXE in turn, RUNS times, and prints for each start the
//         milliseconds from just before CreateProcess to the moment a visible
//         top-level window of that process exists; then closes it.
//     bench_driver close NAME
//         Sends WM_CLOSE to the top-level windows of every process whose
//         program file is called NAME and waits for those processes to end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD window_wait_ms = 30000;
constexpr DWORD exit_wait_ms = 10000;

double milliseconds_since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
    DWORD process_id;
    bool visible_only;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND window, LPARAM lparam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lparam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process_id && (!search.visible_only || IsWindowVisible(window)))
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> windows_of(DWORD process_id, bool visible_only) {
    WindowSearch search{process_id, visible_only, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void close_windows(DWORD process_id) {
    for (HWND window : windows_of(process_id, false)) PostMessageA(window, WM_CLOSE, 0, 0);
}

std::string base_name(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool same_name(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                  static_cast<int>(a.size()), b.data(),
                                                  static_cast<int>(b.size())) == CSTR_EQUAL;
}

// One start: the time to a visible window, or a negative number when none came.
double start_once(const std::string& exe) {
    std::string command = "\"" + exe + "\"";
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    // CreateProcess may write into the command line, so it gets its own copy.
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "bench_driver: cannot start %s (error %lu)\n", exe.c_str(),
                     GetLastError());
        return -1;
    }
    double shown = -1;
    while (milliseconds_since(start) < window_wait_ms) {
        if (!windows_of(process.dwProcessId, true).empty()) {
            shown = milliseconds_since(start);
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    close_windows(process.dwProcessId);
    if (WaitForSingleObject(process.hProcess, exit_wait_ms) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

int startup(int runs, const std::vector<std::string>& programs) {
    std::vector<std::vector<double>> times(programs.size());
    // Interleaved, so that a slow phase of the machine weighs on all alike.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const double ms = start_once(programs[p]);
            std::printf("startup %s run %d: %.1f ms\n", base_name(programs[p]).c_str(), run + 1, ms);
            std::fflush(stdout);
            times[p].push_back(ms);
            Sleep(500);
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> sorted = times[p];
        std::sort(sorted.begin(), sorted.end());
        std::printf("startup %s median %.1f ms min %.1f ms max %.1f ms\n",
                    base_name(programs[p]).c_str(), sorted[sorted.size() / 2], sorted.front(),
                    sorted.back());
    }
    return 0;
}

struct NameSearch {
    std::string name;
    std::vector<DWORD> processes;
};

BOOL CALLBACK collect_named(HWND window, LPARAM lparam) {
    auto& search = *reinterpret_cast<NameSearch*>(lparam);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (std::find(search.processes.begin(), search.processes.end(), id) != search.processes.end())
        return TRUE;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return TRUE;
    char path[MAX_PATH * 4] = {};
    DWORD size = sizeof path;
    if (QueryFullProcessImageNameA(process, 0, path, &size) && same_name(base_name(path), search.name))
        search.processes.push_back(id);
    CloseHandle(process);
    return TRUE;
}

int close_named(const std::string& name) {
    NameSearch search{name, {}};
    EnumWindows(collect_named, reinterpret_cast<LPARAM>(&search));
    for (DWORD id : search.processes) {
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        close_windows(id);
        if (process) {
            WaitForSingleObject(process, exit_wait_ms);
            CloseHandle(process);
        }
    }
    std::printf("closed %zu process(es) of %s\n", search.processes.size(), name.c_str());
    return search.processes.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "startup" && argc > 3) {
        return startup(std::atoi(argv[2]), std::vector<std::string>(argv + 3, argv + argc));
    }
    if (command == "close" && argc == 3) return close_named(argv[2]);
    std::fprintf(stderr, "usage: bench_driver startup RUNS EXE... | close NAME\n");
    return 2;
}
