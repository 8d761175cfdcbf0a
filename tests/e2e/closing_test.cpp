// Closing the window: Esc from anywhere in it, the close button; nothing is
// asked, nothing is written, and the process ends with exit code 0.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"
#include "ui/control_ids.h"

namespace velquor::e2e {
namespace {

// 2019年3月11日9时5分
constexpr char moment_0905[] = "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "9\xCA\xB1" "5\xB7\xD6";

std::string one_row_file() {
    return std::string(expected::file_header) + "1=" + moment_0905 + expected::comma +
           "C:\\jobs\\a.bat\r\n";
}

struct FocusCase {
    const char* name;
    int control;
    POINT at;  // in the control's client coordinates
};

void PrintTo(const FocusCase& focus, std::ostream* out) { *out << focus.name; }

class EscFrom : public testing::TestWithParam<FocusCase> {};

TEST_P(EscFrom, ClosesWithExitCodeZeroAndWritesNothing) {
    clear_documents_folder();
    write_file(schedule_file_path(), one_row_file());
    const std::vector<std::string> documents_before = folder_names(documents_folder());
    TestFolder folder("closing");
    Velquor velquor(folder);
    // A row that is never saved.
    velquor.add_row_by_hand(calendar_time(2024, 5, 6, 7, 8, 9), L"C:\\jobs\\b.bat");
    ASSERT_EQ(velquor.row_count(), 2);

    click(velquor.screen_point(GetParam().control, GetParam().at.x, GetParam().at.y));
    ASSERT_EQ(GetForegroundWindow(), velquor.window());
    press_key(VK_ESCAPE);
    EXPECT_EQ(velquor.wait_for_exit(10000), DWORD{0});
    EXPECT_EQ(read_file(schedule_file_path()), one_row_file());
    EXPECT_EQ(folder_names(documents_folder()), documents_before);

    // The next start shows the file as it was.
    Velquor again(folder);
    EXPECT_EQ(again.row_count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    WithTheFocusIn, EscFrom,
    testing::Values(FocusCase{"List", schedule_list_id, {200, 290}},
                    FocusCase{"PathField", path_field_id, {20, 12}},
                    FocusCase{"Picker", moment_picker_id, {30, 10}}),
    [](const testing::TestParamInfo<FocusCase>& info) { return std::string(info.param.name); });

TEST(Closing, EscWhileTheNumberCellIsEditedClosesTheWindow) {
    clear_documents_folder();
    write_file(schedule_file_path(), one_row_file());
    TestFolder folder("closing");
    Velquor velquor(folder);
    ASSERT_EQ(velquor.row_count(), 1);
    const RECT row = velquor.row_rect(0);
    // The middle of the number cell.
    click(velquor.screen_point(schedule_list_id, row.left + 20, (row.top + row.bottom) / 2));
    ASSERT_TRUE(wait_until([&] { return velquor.selected_row() == 0; }, 5000));
    press_key(VK_F2);
    HWND editor = nullptr;
    ASSERT_TRUE(wait_until([&] {
        editor = reinterpret_cast<HWND>(
            SendMessageA(velquor.control(schedule_list_id), LVM_GETEDITCONTROL, 0, 0));
        return editor != nullptr && IsWindowVisible(editor);
    }, 5000)) << "F2 started no edit";
    type_text(L"42");
    press_key(VK_ESCAPE);
    EXPECT_EQ(velquor.wait_for_exit(10000), DWORD{0});
    EXPECT_EQ(read_file(schedule_file_path()), one_row_file());
}

TEST(Closing, CloseButtonClosesWithExitCodeZero) {
    clear_documents_folder();
    TestFolder folder("closing");
    Velquor velquor(folder);
    RECT frame{};
    GetWindowRect(velquor.window(), &frame);
    // Find the close button the way the pointer does: ask the window what
    // lies under each point of the caption, from the right.
    POINT close{-1, -1};
    for (int y = frame.top + 2; y < frame.top + 30 && close.x < 0; ++y)
        for (int x = frame.right - 2; x > frame.right - 80 && close.x < 0; --x)
            if (SendMessageA(velquor.window(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                close = {x - 3, y + 3};
    ASSERT_GE(close.x, 0) << "no close button in the caption";
    ASSERT_EQ(SendMessageA(velquor.window(), WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)),
              HTCLOSE);
    click(close);
    EXPECT_EQ(velquor.wait_for_exit(10000), DWORD{0});
    EXPECT_FALSE(file_exists(schedule_file_path())) << "closing wrote a schedule file";
}

}  // namespace
}  // namespace velquor::e2e
