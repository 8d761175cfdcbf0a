#include "ui/schedule_list.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/texts.h"

namespace velquor {
namespace {

struct ColumnLayout {
    const char* title;
    int width;
};
constexpr ColumnLayout columns[] = {
    {texts::number_column_title, 50},
    {texts::moment_column_title, 200},
    {texts::target_column_title, 200},
};

// The longest prefix of text that fits in size - 1 bytes without splitting a
// two-byte character.
std::size_t fitting_length(const std::string& text, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t room = std::min(text.size(), size - 1);
    std::size_t end = 0;
    while (end < room) {
        // A lead byte that ends the text stands alone, as the core reads it.
        const std::size_t step =
            IsDBCSLeadByte(static_cast<BYTE>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + step > room) break;
        end += step;
    }
    return end;
}

}  // namespace

ScheduleList::ScheduleList(HWND parent, ScheduleTable& table, int id) : table_(&table) {
    list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT |
                                LVS_SINGLESEL | LVS_EDITLABELS | LVS_OWNERDATA,
                            0, 0, 450, 320, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleA(nullptr), nullptr);
    if (!list_) return;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(columns[i].title);
        column.iSubItem = i;
        SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

int ScheduleList::selected_row() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         LVNI_SELECTED));
}

void ScheduleList::rows_appended() {
    SendMessageA(list_, LVM_SETITEMCOUNT, table_->row_count(), LVSICF_NOSCROLL);
}

void ScheduleList::rows_replaced() {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    SendMessageA(list_, LVM_SETITEMCOUNT, table_->row_count(), 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void ScheduleList::supply_text(NMLVDISPINFOA& info) const {
    LVITEMA& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    const std::string& text = table_->cell(item.iItem, item.iSubItem);
    const std::size_t length = fitting_length(text, static_cast<std::size_t>(item.cchTextMax));
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}

void ScheduleList::start_edit(const NMLVDISPINFOA& info) const {
    // The list's own copy of the label is cut at its buffer size: edit the
    // whole cell instead, with no length limit.
    const HWND editor = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETEDITCONTROL, 0, 0));
    if (!editor) return;
    SendMessageA(editor, EM_LIMITTEXT, 0, 0);
    SetWindowTextA(editor, table_->cell(info.item.iItem, number_column).c_str());
    SendMessageA(editor, EM_SETSEL, 0, -1);
}

bool ScheduleList::finish_edit(const NMLVDISPINFOA& info) {
    if (!info.item.pszText) return false;
    table_->set_cell(info.item.iItem, number_column, info.item.pszText);
    SendMessageA(list_, LVM_REDRAWITEMS, info.item.iItem, info.item.iItem);
    return true;
}

}  // namespace velquor
