// What the main window does when its events come: the follow-clock flag and
// the order of the steps at creation and at each tick live here; the schedule
// logic itself is the core's.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "core/date_time.h"
#include "core/schedule_file.h"
#include "ui/control_ids.h"
#include "ui/drop_target.h"
#include "ui/help_box.h"
#include "ui/main_window.h"
#include "ui/texts.h"
#include "ui/tick_timer.h"

namespace velquor {
namespace {

SYSTEMTIME system_time_of(double moment) {
    const DateTimeFields f = date_time_fields(limit_date_time(moment));
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(f.year);
    time.wMonth = static_cast<WORD>(f.month);
    time.wDay = static_cast<WORD>(f.day);
    time.wHour = static_cast<WORD>(f.hour);
    time.wMinute = static_cast<WORD>(f.minute);
    time.wSecond = static_cast<WORD>(f.second);
    return time;
}

}  // namespace

double MainWindow::picker_value() const {
    SYSTEMTIME time{};
    SendMessageA(picker_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return date_time_from_fields(
        {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond});
}

void MainWindow::set_picker_value(double moment) {
    SYSTEMTIME time = system_time_of(moment);
    SendMessageA(picker_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

std::string MainWindow::path_text() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(path_field_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(path_field_, text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

void MainWindow::handle_window_created() {
    drop_target_.reset(new DropTarget([this](const std::string& text) {
        handle_files_dropped(text);
    }));
    // A window without a drop target refuses drops; nothing else depends on it.
    RegisterDragDrop(window_, drop_target_.get());
    SendMessageA(picker_, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(texts::picker_format));
    follow_clock_ = true;
    load_schedule(table_, platform_.files);
    list_.rows_replaced();
}

void MainWindow::handle_tick() {
    due_check_.run_due_check(table_, current_date_time(), platform_.launch_target);
    // Launches may have dispatched events, the window's end among them.
    if (!window_) return;
    if (follow_clock_) set_picker_value(current_date_time());
    const std::string clock_line =
        std::string(texts::clock_prefix) + date_time_text(current_date_time());
    SetWindowTextA(clock_line_, clock_line.c_str());
    arm_tick_timer();
}

void MainWindow::handle_list_right_click() {
    POINT at{};
    GetCursorPos(&at);
    UniqueMenu tree(CreateMenu());
    HMENU settings = CreatePopupMenu();
    AppendMenuA(settings, MF_STRING, save_command_id, texts::save_command);
    AppendMenuA(settings, MF_STRING, load_command_id, texts::load_command);
    AppendMenuA(settings, MF_STRING, delete_selected_command_id, texts::delete_selected_command);
    AppendMenuA(settings, MF_STRING, delete_all_command_id, texts::delete_all_command);
    AppendMenuA(settings, MF_STRING, help_command_id, texts::help_command);
    // The tree owns "设置" from here on and destroys it with itself.
    AppendMenuA(tree.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(settings), texts::settings_menu);
    // The chosen command arrives as WM_COMMAND once the menu has closed.
    TrackPopupMenu(GetSubMenu(tree.get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                   at.x + 3, at.y + 3, 0, window_, nullptr);
}

void MainWindow::handle_menu_command(int command) {
    switch (command) {
    case save_command_id:
        save_schedule(table_, platform_.files, platform_.boxes);
        break;
    case load_command_id:
        load_schedule(table_, platform_.files);
        list_.rows_replaced();
        break;
    case delete_selected_command_id:
        delete_selected(table_, list_.selected_row());
        list_.rows_replaced();
        break;
    case delete_all_command_id:
        table_.remove_all_rows();
        list_.rows_replaced();
        break;
    case help_command_id:
        show_help();
        break;
    }
}

void MainWindow::handle_picker_focus() { follow_clock_ = false; }

void MainWindow::handle_add_click() {
    const double moment = picker_value();
    const std::string path = path_text();
    add_entry(table_, moment, path);
    list_.rows_appended();
    follow_clock_ = true;
}

void MainWindow::handle_files_dropped(const std::string& text) {
    SetWindowTextA(path_field_, text.c_str());
}

void MainWindow::handle_destroyed() {
    KillTimer(window_, tick_timer_id);
    if (drop_target_) RevokeDragDrop(window_);
    PostQuitMessage(0);
}

}  // namespace velquor
