// The plain design, for comparison with the real program on the same
// schedule: a free-running 1000 ms timer with the exact-equality check. At
// each tick every row is read in table order, the clock is read anew for that
// row, and the row is launched when its moment is that very second; nothing
// is remembered between ticks. Launches are logged as in velquor_logging.exe;
// at the end the time of every tick goes into LOG.ticks.
//     plain_design.exe LOG [PHASE_MS]
// The timer's phase against the wall-clock second is wherever the start left
// it; PHASE_MS sets it instead (the timer is started at that millisecond of a
// second), to show what a phase near the end of the second does.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/windows_file_system.h"
#include "bench/launch_log.h"
#include "core/date_time.h"
#include "core/schedule_file.h"
#include "core/schedule_table.h"

namespace {

using namespace velquor;

struct PlainDesign {
    WindowsFileSystem files;
    ScheduleTable table;
    bench::LaunchLog* log = nullptr;
    std::string ticks_path;
    int phase_ms = -1;
    std::vector<unsigned long long> ticks;
};

PlainDesign* design = nullptr;

void handle_tick() {
    // Kept in memory: a write per tick would weigh on the tick it measures.
    design->ticks.push_back(bench::precise_now());
    for (int row = 0; row < design->table.row_count(); ++row) {
        const double moment = parse_date_time_text(design->table.cell_text(row, moment_column));
        if (same_moment(moment, current_date_time()))
            design->log->launch(design->table.cell_text(row, target_column));
    }
}

void wait_for_phase(int phase_ms) {
    if (phase_ms < 0 || phase_ms > 999) return;
    for (;;) {
        const auto ms = static_cast<int>(bench::precise_now() / 10000 % 1000);
        if (ms == phase_ms) return;
        // Sleep most of the way, then poll: a sleep can end late.
        const int wait = (phase_ms - ms + 1000) % 1000;
        Sleep(wait > 20 ? static_cast<DWORD>(wait - 10) : 0);
    }
}

void write_ticks() {
    bench::LaunchLog out(design->ticks_path);
    for (unsigned long long tick : design->ticks) out.write_line(std::to_string(tick));
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        load_schedule(design->table, design->files);
        wait_for_phase(design->phase_ms);
        SetTimer(window, 1, 1000, nullptr);
        return 0;
    case WM_TIMER:
        handle_tick();
        return 0;
    case WM_DESTROY:
        KillTimer(window, 1);
        write_ticks();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string log_path = bench::first_argument();
    bench::LaunchLog log(log_path);
    PlainDesign state;
    state.log = &log;
    state.ticks_path = log_path.empty() ? std::string() : log_path + ".ticks";
    if (__argc > 2) state.phase_ms = std::atoi(__argv[2]);
    design = &state;

    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "VelquorPlainDesign";
    if (!RegisterClassA(&wc)) return 1;
    const HWND window = CreateWindowA("VelquorPlainDesign", "Plain design", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 454, 460, nullptr, nullptr,
                                      instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
