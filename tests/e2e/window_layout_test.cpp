// What the user sees when the program opens: where the window stands, what
// it is made of and what each part says.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "ui/control_ids.h"
#include "ui/texts.h"

namespace velquor::e2e {
namespace {

class WindowLayout : public testing::Test {
protected:
    void SetUp() override { clear_documents_folder(); }
    TestFolder folder_{"layout"};
};

TEST_F(WindowLayout, OpensCentredOnTheScreenWithItsCaption) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    Velquor velquor(folder_);
    RECT frame{};
    GetWindowRect(velquor.window(), &frame);
    EXPECT_EQ(frame.left, 285);
    EXPECT_EQ(frame.top, 154);
    EXPECT_EQ(frame.right, 739);
    EXPECT_EQ(frame.bottom, 614);
    char caption[256] = {};
    GetWindowTextA(velquor.window(), caption, sizeof caption);
    EXPECT_STREQ(caption, texts::window_title);
    EXPECT_EQ(velquor.process_id(), [&] {
        DWORD owner = 0;
        GetWindowThreadProcessId(FindWindowA(texts::window_title, texts::window_title), &owner);
        return owner;
    }());
}

struct ControlPlace {
    int id;
    RECT rect;
};

TEST_F(WindowLayout, EveryControlStandsInItsPlace) {
    const ControlPlace places[] = {
        {schedule_list_id, {0, 0, 450, 320}},  {moment_picker_id, {60, 350, 240, 370}},
        {clock_line_id, {250, 350, 470, 370}}, {path_field_id, {60, 380, 240, 405}},
        {path_label_id, {20, 377, 52, 409}},   {time_label_id, {18, 340, 50, 372}},
        {add_button_id, {360, 380, 440, 405}},
    };
    Velquor velquor(folder_);
    for (const ControlPlace& place : places) {
        SCOPED_TRACE(place.id);
        const RECT rect = velquor.client_rect_of(place.id);
        EXPECT_EQ(rect.left, place.rect.left);
        EXPECT_EQ(rect.top, place.rect.top);
        EXPECT_EQ(rect.right, place.rect.right);
        EXPECT_EQ(rect.bottom, place.rect.bottom);
    }
}

TEST_F(WindowLayout, ControlsShowTheirTexts) {
    Velquor velquor(folder_);
    EXPECT_EQ(velquor.text(path_label_id), texts::path_label);
    EXPECT_EQ(velquor.text(time_label_id), texts::time_label);
    EXPECT_EQ(velquor.text(add_button_id), texts::add_button);
    EXPECT_EQ(velquor.text(path_field_id), "");
    EXPECT_EQ(velquor.row_count(), 0);
}

TEST_F(WindowLayout, ListHasItsThreeColumns) {
    const Column expected[] = {
        {texts::number_column_title, 50, LVCFMT_LEFT},
        {texts::moment_column_title, 200, LVCFMT_LEFT},
        {texts::target_column_title, 200, LVCFMT_LEFT},
    };
    Velquor velquor(folder_);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Column column = velquor.column(i);
        EXPECT_EQ(column.title, expected[i].title);
        EXPECT_EQ(column.width, expected[i].width);
        EXPECT_EQ(column.format & LVCFMT_JUSTIFYMASK, expected[i].format);
    }
    // No fourth column.
    EXPECT_THROW(velquor.column(3), std::runtime_error);
}

TEST_F(WindowLayout, FrameIsFixedAndControlsHaveTheirBehaviour) {
    Velquor velquor(folder_);
    const LONG_PTR style = GetWindowLongPtrA(velquor.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongPtrA(velquor.window(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    const LONG_PTR list = GetWindowLongPtrA(velquor.control(schedule_list_id), GWL_STYLE);
    EXPECT_EQ(list & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(list & LVS_SINGLESEL);
    EXPECT_TRUE(list & LVS_OWNERDATA);
    EXPECT_TRUE(list & LVS_EDITLABELS);
    EXPECT_FALSE(list & LVS_NOCOLUMNHEADER);
    EXPECT_EQ(velquor.list_extended_style() & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                               LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT),
              DWORD{LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES});

    EXPECT_TRUE(GetWindowLongPtrA(velquor.control(moment_picker_id), GWL_EXSTYLE) &
                WS_EX_CLIENTEDGE);
    const LONG_PTR picker = GetWindowLongPtrA(velquor.control(moment_picker_id), GWL_STYLE);
    EXPECT_FALSE(picker & DTS_UPDOWN);
    EXPECT_FALSE(picker & DTS_SHOWNONE);

    const LONG_PTR path = GetWindowLongPtrA(velquor.control(path_field_id), GWL_STYLE);
    EXPECT_TRUE(path & ES_AUTOHSCROLL);
    EXPECT_FALSE(path & (ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE));

    const LONG_PTR button = GetWindowLongPtrA(velquor.control(add_button_id), GWL_STYLE);
    EXPECT_EQ(button & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(WindowLayout, DraggingTheFrameCornerDoesNotResize) {
    Velquor velquor(folder_);
    RECT before{};
    GetWindowRect(velquor.window(), &before);
    drag_with_button({before.right - 2, before.bottom - 2}, {before.right + 60, before.bottom + 50});
    Sleep(300);
    RECT after{};
    GetWindowRect(velquor.window(), &after);
    EXPECT_EQ(after.right - after.left, 454);
    EXPECT_EQ(after.bottom - after.top, 460);
}

// The clock line reads "当前：" alone until the first tick, then the time.
TEST_F(WindowLayout, ClockLineShowsTheTimeFromTheFirstTick) {
    // The first tick can come before the test first looks; another start
    // gives another chance to see the line as it was built.
    bool seen_bare_prefix = false;
    for (int attempt = 0; attempt < 3 && !seen_bare_prefix; ++attempt) {
        Velquor velquor(folder_);
        seen_bare_prefix = velquor.text(clock_line_id) == texts::clock_prefix;
        if (!seen_bare_prefix) continue;
        std::string shown;
        ASSERT_TRUE(wait_until([&] {
            shown = velquor.text(clock_line_id);
            return shown != texts::clock_prefix;
        }, 5000));
        // The clock may have moved on to the next second meanwhile.
        const std::string now = std::string(texts::clock_prefix) + moment_text(local_time_in(0));
        const std::string before = std::string(texts::clock_prefix) + moment_text(local_time_in(-1));
        EXPECT_TRUE(shown == now || shown == before) << shown;
        // And it keeps counting.
        ASSERT_TRUE(wait_until([&] { return velquor.text(clock_line_id) != shown; }, 5000));
    }
    EXPECT_TRUE(seen_bare_prefix);
}

}  // namespace
}  // namespace velquor::e2e
