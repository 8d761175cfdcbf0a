// What reaches the screen: the list draws the rows it holds and nothing of
// the rows it lost. The window's picture is kept as velquor-window.bmp in the
// test's working folder, for whoever wants to look at it.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"
#include "ui/control_ids.h"

namespace velquor::e2e {
namespace {

constexpr int delete_all_entry = 3;
// 2019年3月11日11时19分43秒
constexpr char moment_111943[] =
    "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "11\xCA\xB1" "19\xB7\xD6" "43\xC3\xEB";
// 2024年5月6日7时8分9秒
constexpr char moment_070809[] =
    "2024\xC4\xEA" "5\xD4\xC2" "6\xC8\xD5" "7\xCA\xB1" "8\xB7\xD6" "9\xC3\xEB";
// C:\定时\周报.exe
constexpr char report_path[] = "C:\\\xB6\xA8\xCA\xB1\\\xD6\xDC\xB1\xA8.exe";

// The row's band across the list, on the screen; rows past the end are
// where they would stand.
RECT screen_band_of_row(const Velquor& velquor, int row) {
    const RECT first = velquor.row_rect(0);
    const int height = first.bottom - first.top;
    POINT top_left{first.left, first.top + row * height};
    ClientToScreen(velquor.control(schedule_list_id), &top_left);
    // Short of the list's right edge and of the row's grid line.
    return {top_left.x + 2, top_left.y + 1, top_left.x + 440, top_left.y + height - 2};
}

TEST(Screen, ListDrawsItsRowsAndForgetsDeletedOnes) {
    clear_documents_folder();
    write_file(schedule_file_path(), std::string(expected::file_header) + "1=" + moment_111943 +
                                         expected::comma + "D:\\jobs\\backup.bat\r\n2=" +
                                         moment_070809 + expected::comma + report_path + "\r\n");
    TestFolder folder("screen");
    Velquor velquor(folder);
    ASSERT_EQ(velquor.row_count(), 2);
    click(velquor.screen_point(path_field_id, 20, 12));
    type_text(L"C:\\jobs\\\u5907\u4EFD.bat");  // 备份
    const std::string clock = velquor.text(clock_line_id);
    ASSERT_TRUE(wait_until([&] { return velquor.text(clock_line_id) != clock; }, 5000));
    Sleep(200);

    RECT frame{};
    GetWindowRect(velquor.window(), &frame);
    save_screen_bmp(frame, "velquor-window.bmp");
    ASSERT_TRUE(file_exists("velquor-window.bmp"));

    // Where the rows stand, taken while they are there.
    const RECT first_band = screen_band_of_row(velquor, 0);
    const RECT second_band = screen_band_of_row(velquor, 1);
    const std::string empty_row = screen_pixels(screen_band_of_row(velquor, 4));
    EXPECT_NE(screen_pixels(first_band), empty_row) << "row 1 is not drawn";
    EXPECT_NE(screen_pixels(second_band), empty_row) << "row 2 is not drawn";
    EXPECT_NE(screen_pixels(first_band), screen_pixels(second_band));

    velquor.choose_from_context_menu({200, 290}, delete_all_entry);
    ASSERT_TRUE(wait_until([&] { return velquor.row_count() == 0; }, 5000));
    EXPECT_TRUE(wait_until([&] {
        return screen_pixels(first_band) == empty_row && screen_pixels(second_band) == empty_row;
    }, 3000)) << "deleted rows are still on the screen";
}

}  // namespace
}  // namespace velquor::e2e
