// The one window of the program: the schedule list over the table, the moment
// picker, the path field, the add button, the clock line, the tick timer, the
// drop target and the context menu.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "core/due_check.h"
#include "core/platform.h"
#include "core/schedule_table.h"
#include "ui/handles.h"
#include "ui/schedule_list.h"

namespace velquor {

class DropTarget;

// What the window reaches the system through.
struct WindowPlatform {
    FileSystem& files;
    MessageBoxes& boxes;
    std::function<void(const std::string&)> launch_target;
};

class MainWindow {
public:
    explicit MainWindow(WindowPlatform platform);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the window hidden, runs its creation handler, then shows it with
    // the focus in the schedule list. False when it cannot be built.
    bool create(HINSTANCE instance);
    HWND handle() const { return window_; }

private:
    friend bool translate_window_keys(const MSG& message);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT dispatch_notify(const NMHDR& header);
    void dispatch_command(WPARAM wparam, LPARAM lparam);

    // Layout.
    void build_controls();
    HWND add_control(DWORD ex_style, const char* kind, const char* text, DWORD style, int left,
                     int top, int width, int height, int id);
    void arm_tick_timer();
    bool translate_key(const MSG& message);
    void move_focus(bool backward);

    // Events.
    void handle_window_created();
    void handle_tick();
    void handle_list_right_click();
    void handle_menu_command(int command);
    void handle_picker_focus();
    void handle_add_click();
    void handle_files_dropped(const std::string& text);
    void handle_destroyed();

    double picker_value() const;
    void set_picker_value(double moment);
    std::string path_text() const;

    WindowPlatform platform_;
    ScheduleTable table_;
    DueCheck due_check_;
    bool follow_clock_ = false;
    // Controls raise events while they are being built; those reach nothing.
    bool built_ = false;

    HWND window_ = nullptr;
    HWND picker_ = nullptr;
    HWND clock_line_ = nullptr;
    HWND path_field_ = nullptr;
    HWND add_button_ = nullptr;
    ScheduleList list_;
    ComRef<DropTarget> drop_target_;
};

// Esc (close) and Tab (focus order) for the main window and everything in it,
// the in-place editor of the list included; true when the key was taken.
bool translate_window_keys(const MSG& message);

}  // namespace velquor
