// Keeping the schedule by hand: adding rows with the picker, the path field
// and the add button, and saving, loading and deleting through the list's
// context menu.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"
#include "ui/control_ids.h"
#include "ui/texts.h"

namespace velquor::e2e {
namespace {

using Row = std::array<std::string, 3>;

// The context menu's entries, top to bottom.
enum Entry { save_entry, load_entry, delete_selected_entry, delete_all_entry, help_entry };

// C:\jobs\备份.bat
constexpr char backup_path[] = "C:\\jobs\\\xB1\xB8\xB7\xDD.bat";
// 2019年3月11日9时5分
constexpr char moment_0905[] = "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "9\xCA\xB1" "5\xB7\xD6";
// 2024年5月6日7时8分9秒
constexpr char moment_070809[] =
    "2024\xC4\xEA" "5\xD4\xC2" "6\xC8\xD5" "7\xCA\xB1" "8\xB7\xD6" "9\xC3\xEB";
// 2019年3月11日
constexpr char moment_midnight[] = "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5";
// 2019年3月11日11时19分43秒
constexpr char moment_111943[] =
    "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "11\xCA\xB1" "19\xB7\xD6" "43\xC3\xEB";
// C:\定时\周报.exe
constexpr char report_path[] = "C:\\\xB6\xA8\xCA\xB1\\\xD6\xDC\xB1\xA8.exe";

bool same_time(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay &&
           a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

std::string schedule_file_of(const std::vector<Row>& rows) {
    std::string bytes = expected::file_header;
    for (const Row& row : rows) bytes += row[0] + "=" + row[1] + expected::comma + row[2] + "\r\n";
    return bytes;
}

// A point in the list below its last row.
POINT empty_list_space() { return {200, 290}; }

POINT middle_of_row(const Velquor& velquor, int row) {
    const RECT rect = velquor.row_rect(row);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void wait_for_ticks(const Velquor& velquor, int ticks) {
    for (int i = 0; i < ticks; ++i) {
        const std::string shown = velquor.text(clock_line_id);
        ASSERT_TRUE(wait_until([&] { return velquor.text(clock_line_id) != shown; }, 5000));
    }
}

class ScheduleEditing : public testing::Test {
protected:
    void SetUp() override { clear_documents_folder(); }
    TestFolder folder_{"editing"};
};

TEST_F(ScheduleEditing, AddButtonAppendsThePickersMomentAndTheTypedPath) {
    Velquor velquor(folder_);
    wait_for_ticks(velquor, 1);
    // Following the clock until the user takes the picker over.
    EXPECT_TRUE(close_in_time(velquor.picker_time(), local_time_in(0)));

    click(velquor.screen_point(moment_picker_id, 30, 10));
    const SYSTEMTIME chosen = calendar_time(2019, 3, 11, 9, 5, 0);
    velquor.set_picker_time(chosen);
    wait_for_ticks(velquor, 2);
    EXPECT_TRUE(same_time(velquor.picker_time(), chosen)) << "ticks moved a held picker";

    click(velquor.screen_point(path_field_id, 20, 12));
    type_text(L"C:\\jobs\\\u5907\u4EFD.bat");  // 备份
    EXPECT_EQ(velquor.text(path_field_id), backup_path);
    // Enter is no way to add.
    press_key(VK_RETURN);
    Sleep(300);
    EXPECT_EQ(velquor.row_count(), 0);

    const RECT button = velquor.client_rect_of(add_button_id);
    click(velquor.screen_point(add_button_id, (button.right - button.left) / 2,
                               (button.bottom - button.top) / 2));
    ASSERT_TRUE(wait_until([&] { return velquor.row_count() == 1; }, 5000));
    EXPECT_EQ(velquor.rows(), (std::vector<Row>{{"1", moment_0905, backup_path}}));
    EXPECT_EQ(velquor.text(path_field_id), backup_path);
    // The picker follows the clock again from the next tick on.
    EXPECT_TRUE(wait_until([&] { return close_in_time(velquor.picker_time(), local_time_in(0)); },
                           5000));

    velquor.add_row_by_hand(calendar_time(2024, 5, 6, 7, 8, 9), L"D:\\jobs\\backup.bat");
    velquor.add_row_by_hand(calendar_time(2019, 3, 11, 0, 0, 0), L"");
    EXPECT_EQ(velquor.rows(), (std::vector<Row>{{"1", moment_0905, backup_path},
                                                {"2", moment_070809, "D:\\jobs\\backup.bat"},
                                                {"3", moment_midnight, ""}}));
}

TEST_F(ScheduleEditing, SaveWritesTheShownRowsAndSaysSo) {
    Velquor velquor(folder_);
    velquor.add_row_by_hand(calendar_time(2019, 3, 11, 9, 5, 0), L"C:\\jobs\\\u5907\u4EFD.bat");
    velquor.add_row_by_hand(calendar_time(2019, 3, 11, 11, 19, 43),
                            L"C:\\\u5B9A\u65F6\\\u5468\u62A5.exe");  // 定时 周报

    velquor.choose_from_context_menu(empty_list_space(), save_entry);
    const Box box = velquor.wait_for_box(5000);
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.text, expected::saved);
    EXPECT_EQ(box.caption, expected::save_caption);
    EXPECT_EQ(shown_icon(box.window), "information");
    EXPECT_EQ(read_file(schedule_file_path()),
              schedule_file_of({{"1", moment_0905, backup_path}, {"2", moment_111943, report_path}}));
    EXPECT_EQ(folder_names(documents_folder()), std::vector<std::string>{"Velquor.ini"});

    // OK closes the box; the rows stay.
    RECT ok{};
    GetWindowRect(GetDlgItem(box.window, IDOK), &ok);
    click({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
    EXPECT_TRUE(wait_until([&] { return velquor.windows_of_class("#32770").empty(); }, 5000));
    EXPECT_EQ(velquor.row_count(), 2);
}

TEST_F(ScheduleEditing, SavingAnEmptyTableWritesTheHeaderAlone) {
    write_file(schedule_file_path(), schedule_file_of({{"1", moment_0905, backup_path}}));
    Velquor velquor(folder_);
    ASSERT_EQ(velquor.row_count(), 1);
    velquor.choose_from_context_menu(empty_list_space(), delete_all_entry);
    ASSERT_EQ(velquor.row_count(), 0);
    velquor.choose_from_context_menu(empty_list_space(), save_entry);
    const Box box = velquor.wait_for_box(5000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, expected::saved);
    EXPECT_EQ(read_file(schedule_file_path()), expected::file_header);
}

TEST_F(ScheduleEditing, StartAndLoadShowTheFilesRowsAsTheyAre) {
    // Numbers as the file has them: nothing is renumbered.
    const std::vector<Row> at_start{{"7", moment_111943, "D:\\jobs\\backup.bat"},
                                    {"3", moment_070809, report_path}};
    write_file(schedule_file_path(), schedule_file_of(at_start));
    Velquor velquor(folder_);
    EXPECT_EQ(velquor.rows(), at_start);

    velquor.add_row_by_hand(calendar_time(2019, 3, 11, 9, 5, 0), L"x.bat");
    ASSERT_EQ(velquor.row_count(), 3);
    const std::vector<Row> on_disk{{"12", moment_0905, backup_path}};
    write_file(schedule_file_path(), schedule_file_of(on_disk));
    velquor.choose_from_context_menu(middle_of_row(velquor, 1), load_entry);
    EXPECT_TRUE(wait_until([&] { return velquor.rows() == on_disk; }, 5000));
    EXPECT_TRUE(velquor.windows_of_class("#32770").empty()) << "loading showed a box";
}

TEST_F(ScheduleEditing, DeleteSelectedRemovesTheClickedRowAndDeleteAllEmptiesTheList) {
    const std::vector<Row> rows{{"1", moment_0905, "a.exe"},
                                {"2", moment_070809, "b.exe"},
                                {"3", moment_111943, "c.exe"}};
    write_file(schedule_file_path(), schedule_file_of(rows));
    Velquor velquor(folder_);
    ASSERT_EQ(velquor.rows(), rows);

    // Nothing selected: deleting the selection deletes nothing.
    velquor.choose_from_context_menu(empty_list_space(), delete_selected_entry);
    Sleep(300);
    EXPECT_EQ(velquor.rows(), rows);

    POINT second = middle_of_row(velquor, 1);
    ClientToScreen(velquor.control(schedule_list_id), &second);
    click(second);
    ASSERT_TRUE(wait_until([&] { return velquor.selected_row() == 1; }, 5000));
    velquor.choose_from_context_menu(middle_of_row(velquor, 1), delete_selected_entry);
    EXPECT_TRUE(wait_until([&] { return velquor.row_count() == 2; }, 5000));
    EXPECT_EQ(velquor.rows(), (std::vector<Row>{rows[0], rows[2]}));

    velquor.choose_from_context_menu(empty_list_space(), delete_all_entry);
    EXPECT_TRUE(wait_until([&] { return velquor.row_count() == 0; }, 5000));
    // The file is the user's to overwrite with "保存", not the delete's.
    EXPECT_EQ(read_file(schedule_file_path()), schedule_file_of(rows));
}

TEST_F(ScheduleEditing, F2EditsTheNumberCellInPlaceAndSaveKeepsTheTypedNumber) {
    write_file(schedule_file_path(), schedule_file_of({{"1", moment_0905, "a.exe"}}));
    Velquor velquor(folder_);
    const RECT row = velquor.row_rect(0);
    click(velquor.screen_point(schedule_list_id, row.left + 20, (row.top + row.bottom) / 2));
    ASSERT_TRUE(wait_until([&] { return velquor.selected_row() == 0; }, 5000));
    press_key(VK_F2);
    ASSERT_TRUE(wait_until([&] {
        return SendMessageA(velquor.control(schedule_list_id), LVM_GETEDITCONTROL, 0, 0) != 0;
    }, 5000)) << "F2 started no edit";
    // The editor starts with the whole number selected: typing replaces it.
    type_text(L"A-42");
    press_key(VK_RETURN);
    ASSERT_TRUE(wait_until([&] { return velquor.cell(0, 0) == "A-42"; }, 5000))
        << velquor.cell(0, 0);
    EXPECT_EQ(velquor.rows(), (std::vector<Row>{{"A-42", moment_0905, "a.exe"}}));

    velquor.choose_from_context_menu(empty_list_space(), save_entry);
    ASSERT_NE(velquor.wait_for_box(5000).window, nullptr);
    EXPECT_EQ(read_file(schedule_file_path()), schedule_file_of({{"A-42", moment_0905, "a.exe"}}));
}

TEST_F(ScheduleEditing, ContextMenuOpensBesideThePointerAndEscDismissesIt) {
    write_file(schedule_file_path(), schedule_file_of({{"1", moment_0905, "a.exe"}}));
    Velquor velquor(folder_);
    POINT at = empty_list_space();
    ClientToScreen(velquor.control(schedule_list_id), &at);
    right_click(at);
    const HWND menu = velquor.wait_for_menu(5000);
    ASSERT_NE(menu, nullptr);
    RECT frame{};
    GetWindowRect(menu, &frame);
    EXPECT_EQ(frame.left, at.x + 3);
    EXPECT_EQ(frame.top, at.y + 3);

    // Esc belongs to the open menu: it closes the menu, not the program.
    press_key(VK_ESCAPE);
    EXPECT_TRUE(wait_until([&] { return velquor.windows_of_class("#32768").empty(); }, 5000));
    Sleep(300);
    EXPECT_TRUE(velquor.running());
    EXPECT_EQ(velquor.row_count(), 1);
    EXPECT_TRUE(velquor.windows_of_class("#32770").empty());
}

}  // namespace
}  // namespace velquor::e2e
