#include "app/run_program.h"

#include <windows.h>

#include "app/program_folder.h"
#include "app/windows_file_system.h"
#include "ui/fatal_error.h"
#include "ui/handles.h"
#include "ui/main_window.h"

namespace velquor {
namespace {

// A relative target is looked for in the program folder first, wherever the
// program was started from; failing to change folder is not an error.
void enter_program_folder() {
    const std::string folder = folder_of_path(program_file_path());
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

int run_message_loop(HWND window) {
    if (!IsWindow(window)) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (translate_window_keys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int run_program() {
    OleSession ole;
    enter_program_folder();
    WindowsFileSystem files;
    WindowsMessageBoxes boxes;
    MainWindow window({files, boxes, launch_target});
    if (!window.create(GetModuleHandleA(nullptr))) fatal_error("The main window could not be created.");
    return run_message_loop(window.handle());
}

}  // namespace velquor
