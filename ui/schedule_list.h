// The list control over the schedule table. The table is the only copy of the
// rows: the list is virtual and asks for each text as it draws it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/schedule_table.h"

namespace velquor {

class ScheduleList {
public:
    ScheduleList(HWND parent, ScheduleTable& table, int id);
    ScheduleList() = default;

    HWND handle() const { return list_; }
    // -1 when no row is selected.
    int selected_row() const;
    // After rows were added at the end.
    void rows_appended();
    // After rows were removed or replaced: nothing stays selected.
    void rows_replaced();

    void supply_text(NMLVDISPINFOA& info) const;
    void start_edit(const NMLVDISPINFOA& info) const;
    // True: the typed text replaces the number cell (a cancelled edit gives
    // no text and changes nothing).
    bool finish_edit(const NMLVDISPINFOA& info);

private:
    HWND list_ = nullptr;
    ScheduleTable* table_ = nullptr;
};

}  // namespace velquor
