// Child window ids of the main window and the context menu's command ids.
// Test drivers find the controls by them.
#pragma once

namespace velquor {

enum ControlId : int {
    schedule_list_id = 100,
    moment_picker_id = 101,
    clock_line_id = 102,
    path_field_id = 103,
    path_label_id = 104,
    time_label_id = 105,
    add_button_id = 106,
};

enum MenuCommand : int {
    save_command_id = 1001,
    load_command_id = 1002,
    delete_selected_command_id = 1003,
    delete_all_command_id = 1004,
    help_command_id = 1005,
};

}  // namespace velquor
