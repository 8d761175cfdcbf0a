// The real program, composed as app/run_program.cpp composes it, except that
// every launch also goes into a log with its precise time, and the arrival of
// every tick is noted (a message hook of this thread sees it, the window does
// not change) and written to LOG.ticks at the end. The window, the tick, the
// due check and the shell call are the product's own.
//     velquor_logging.exe LOG
#include <windows.h>

#include <vector>

#include "app/program_folder.h"
#include "app/windows_file_system.h"
#include "bench/launch_log.h"
#include "ui/fatal_error.h"
#include "ui/handles.h"
#include "ui/main_window.h"
#include "ui/tick_timer.h"

namespace {

// Kept in memory: a write per tick would weigh on the tick it measures.
std::vector<unsigned long long> ticks;
HWND main_window = nullptr;

LRESULT CALLBACK note_tick(int code, WPARAM wparam, LPARAM lparam) {
    const auto& message = *reinterpret_cast<const MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && message.message == WM_TIMER &&
        message.hwnd == main_window && message.wParam == velquor::tick_timer_id)
        ticks.push_back(velquor::bench::precise_now());
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace velquor;
    OleSession ole;
    const std::string folder = folder_of_path(program_file_path());
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    WindowsFileSystem files;
    WindowsMessageBoxes boxes;
    const std::string log_path = bench::first_argument();
    bench::LaunchLog log(log_path);
    MainWindow window({files, boxes, [&log](const std::string& target) { log.launch(target); }});
    if (!window.create(instance)) fatal_error("The main window could not be created.");
    main_window = window.handle();
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, note_tick, nullptr, GetCurrentThreadId());
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (translate_window_keys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (hook) UnhookWindowsHookEx(hook);
    if (!log_path.empty()) {
        bench::LaunchLog out(log_path + ".ticks");
        for (unsigned long long tick : ticks) out.write_line(std::to_string(tick));
    }
    return static_cast<int>(message.wParam);
}
