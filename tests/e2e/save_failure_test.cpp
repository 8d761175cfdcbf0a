// When the schedule file cannot be written or read: the user is told about a
// failed save, the old file stays as it was, and a missing file is no error.
// Without a documents folder the file is the one at the root of the drive.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"
#include "ui/control_ids.h"

namespace velquor::e2e {
namespace {

constexpr int save_entry = 0;
// 2019年3月11日9时5分
constexpr char moment_0905[] = "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "9\xCA\xB1" "5\xB7\xD6";

std::string old_file() {
    return std::string(expected::file_header) + "1=" + moment_0905 + expected::comma +
           "C:\\jobs\\old.bat\r\n";
}

enum class Obstacle { held_open_by_another_program, read_only };

void PrintTo(Obstacle obstacle, std::ostream* out) {
    *out << (obstacle == Obstacle::read_only ? "read-only" : "held open by another program");
}

class SaveFailure : public testing::TestWithParam<Obstacle> {};

TEST_P(SaveFailure, SaysSoAndLeavesTheOldFileAsItWas) {
    clear_documents_folder();
    write_file(schedule_file_path(), old_file());
    TestFolder folder("save-failure");
    Velquor velquor(folder);
    velquor.add_row_by_hand(calendar_time(2024, 5, 6, 7, 8, 9), L"C:\\jobs\\new.bat");

    HANDLE holder = INVALID_HANDLE_VALUE;
    if (GetParam() == Obstacle::held_open_by_another_program) {
        holder = CreateFileA(schedule_file_path().c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    } else {
        ASSERT_TRUE(SetFileAttributesA(schedule_file_path().c_str(), FILE_ATTRIBUTE_READONLY));
    }

    velquor.choose_from_context_menu({200, 290}, save_entry);
    const Box box = velquor.wait_for_box(10000);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.text, expected::not_saved);
    EXPECT_EQ(box.caption, expected::save_caption);
    EXPECT_EQ(shown_icon(box.window), "warning");

    EXPECT_EQ(read_file(schedule_file_path()), old_file());
    EXPECT_EQ(folder_names(documents_folder()), std::vector<std::string>{"Velquor.ini"})
        << "a leftover beside the schedule file";
    if (GetParam() == Obstacle::read_only) {
        EXPECT_TRUE(GetFileAttributesA(schedule_file_path().c_str()) & FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_EQ(velquor.row_count(), 2);

    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wait_until([&] { return velquor.windows_of_class("#32770").empty(); }, 5000));
    clear_documents_folder();
}

INSTANTIATE_TEST_SUITE_P(
    WhenTheFileIs, SaveFailure,
    testing::Values(Obstacle::held_open_by_another_program, Obstacle::read_only),
    [](const testing::TestParamInfo<Obstacle>& info) {
        return info.param == Obstacle::read_only ? std::string("ReadOnly")
                                                 : std::string("HeldOpenByAnotherProgram");
    });

TEST(MissingScheduleFile, GivesAnEmptyListAndNoMessage) {
    clear_documents_folder();
    TestFolder folder("save-failure");
    Velquor velquor(folder);
    // Two ticks: whatever the start had to say, it has shown by then.
    for (int tick = 0; tick < 2; ++tick) {
        const std::string shown = velquor.text(clock_line_id);
        ASSERT_TRUE(wait_until([&] { return velquor.text(clock_line_id) != shown; }, 5000));
    }
    EXPECT_EQ(velquor.row_count(), 0);
    EXPECT_TRUE(velquor.windows_of_class("#32770").empty());
    EXPECT_FALSE(file_exists(schedule_file_path())) << "loading made a file";
}

// Puts the documents folder out of the way for the test's time and back
// afterwards, whatever the test does.
class DocumentsFolderAway {
public:
    DocumentsFolderAway() : folder_(documents_folder()), away_(folder_ + "-away") {
        moved_ = MoveFileA(folder_.c_str(), away_.c_str()) != 0;
    }
    ~DocumentsFolderAway() {
        if (moved_) MoveFileA(away_.c_str(), folder_.c_str());
    }
    DocumentsFolderAway(const DocumentsFolderAway&) = delete;
    DocumentsFolderAway& operator=(const DocumentsFolderAway&) = delete;
    bool moved() const { return moved_; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::string away_;
    bool moved_ = false;
};

TEST(MissingDocumentsFolder, LoadsAndSavesTheFileAtTheRootOfTheDriveAndMakesNoFolder) {
    clear_documents_folder();
    TestFolder folder("no-documents");
    // The program works in its own folder, so the root is that of its drive.
    const std::string root_file = folder.path().substr(0, 2) + "\\Velquor.ini";
    write_file(root_file, old_file());
    DocumentsFolderAway away;
    ASSERT_TRUE(away.moved());

    Velquor velquor(folder);
    EXPECT_EQ(velquor.rows(), (std::vector<std::array<std::string, 3>>{
                                  {"1", moment_0905, "C:\\jobs\\old.bat"}}));
    velquor.add_row_by_hand(calendar_time(2024, 5, 6, 7, 8, 9), L"C:\\jobs\\new.bat");
    velquor.choose_from_context_menu({200, 290}, save_entry);
    const Box box = velquor.wait_for_box(10000);
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.text, expected::saved);
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wait_until([&] { return velquor.windows_of_class("#32770").empty(); }, 5000));

    // 2024年5月6日7时8分9秒
    const std::string moment_new =
        "2024\xC4\xEA" "5\xD4\xC2" "6\xC8\xD5" "7\xCA\xB1" "8\xB7\xD6" "9\xC3\xEB";
    const std::string saved_file = read_file(root_file);
    DeleteFileA(root_file.c_str());
    EXPECT_EQ(saved_file, old_file() + "2=" + moment_new + expected::comma + "C:\\jobs\\new.bat\r\n");
    EXPECT_FALSE(file_exists(root_file + ".tmp"));
    EXPECT_FALSE(file_exists(away.folder())) << "the documents folder was made";

    PostMessageA(velquor.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(velquor.wait_for_exit(30000), DWORD{0});
}

}  // namespace
}  // namespace velquor::e2e
