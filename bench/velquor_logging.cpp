// The real program, composed as app/run_program.cpp composes it, except that
// every launch also goes into a log with its precise time. The window, the
// tick, the due check and the shell call are the product's own.
//     velquor_logging.exe LOG
#include <windows.h>

#include "app/program_folder.h"
#include "app/windows_file_system.h"
#include "bench/launch_log.h"
#include "ui/fatal_error.h"
#include "ui/handles.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace velquor;
    OleSession ole;
    const std::string folder = folder_of_path(program_file_path());
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    WindowsFileSystem files;
    WindowsMessageBoxes boxes;
    bench::LaunchLog log(bench::first_argument());
    MainWindow window({files, boxes, [&log](const std::string& target) { log.launch(target); }});
    if (!window.create(instance)) fatal_error("The main window could not be created.");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (translate_window_keys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
