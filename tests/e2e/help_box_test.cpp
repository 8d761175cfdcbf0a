// The help box: its text, its owner, that it closes itself, and that the
// schedule keeps running while it is open.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"
#include "ui/control_ids.h"
#include "ui/texts.h"

namespace velquor::e2e {
namespace {

constexpr int help_entry = 4;
// Far enough ahead that the box is open when the row comes due, near
// enough that the box is still open then.
constexpr int due_in_seconds = 7;

unsigned long long utc_ticks_now() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

TEST(HelpBox, ShowsTheHelpOverTheWindowClosesByItselfAndTheScheduleRunsMeanwhile) {
    clear_documents_folder();
    TestFolder folder("help");
    const std::string marker = folder.add_marker("marker_h");
    const SYSTEMTIME due = local_time_in(due_in_seconds);
    write_file(schedule_file_path(), std::string(expected::file_header) + "1=" +
                                         moment_text(due) + expected::comma + marker + "\r\n");
    Velquor velquor(folder);

    velquor.choose_from_context_menu({200, 290}, help_entry);
    const Box box = velquor.wait_for_box(5000);
    ASSERT_NE(box.window, nullptr) << "no help box";
    const ULONGLONG shown_at = GetTickCount64();
    const unsigned long long shown_at_utc = utc_ticks_now();
    EXPECT_EQ(box.caption, texts::help_caption);
    EXPECT_EQ(box.text, texts::help_text);
    EXPECT_EQ(box.owner, velquor.window());
    EXPECT_EQ(shown_icon(box.window), "information");
    ASSERT_LT(shown_at_utc, utc_ticks_of(due)) << "the box came too late for this test";

    // The owner takes no clicks while its box is open.
    const RECT button = velquor.client_rect_of(add_button_id);
    click(velquor.screen_point(add_button_id, (button.right - button.left) / 2,
                               (button.bottom - button.top) / 2));

    // The clock goes on counting, and the due row is launched, behind the box.
    const std::string clock_before = velquor.text(clock_line_id);
    EXPECT_TRUE(wait_until([&] { return velquor.text(clock_line_id) != clock_before; }, 5000));
    ASSERT_TRUE(wait_until([&] { return folder.launch_count("marker_h") > 0; },
                           (due_in_seconds + 5) * 1000));
    EXPECT_TRUE(IsWindow(box.window)) << "the box had closed before the launch";
    EXPECT_EQ(velquor.row_count(), 1) << "the add button took a click behind the box";

    // It stays for its time and then closes itself. Well before its time it
    // is still there, whatever the machine's load.
    while (GetTickCount64() - shown_at < 8000) {
        ASSERT_TRUE(IsWindow(box.window)) << "the box closed early, after "
                                          << GetTickCount64() - shown_at << " ms";
        Sleep(50);
    }
    EXPECT_TRUE(wait_until([&] { return !IsWindow(box.window); }, 12000)) << "the box stayed";
    EXPECT_TRUE(velquor.running());

    // Exactly one launch, some seconds after the row's second has passed.
    EXPECT_EQ(folder.launch_count("marker_h"), 1);
    EXPECT_GE(folder.launches().front().utc_ticks, utc_ticks_of(due));

    // With the box gone the window takes clicks again.
    click(velquor.screen_point(add_button_id, (button.right - button.left) / 2,
                               (button.bottom - button.top) / 2));
    EXPECT_TRUE(wait_until([&] { return velquor.row_count() == 2; }, 5000));
}

}  // namespace
}  // namespace velquor::e2e
