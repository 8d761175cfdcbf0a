// Saving through the real file system: the schedule file is the old one or the
// new one, never a mix, and no temporary file stays behind.
#include "app/windows_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/schedule_file.h"

namespace velquor {
namespace {

class WindowsFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "velquor-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder_.c_str(), nullptr);
        path_ = folder_ + "\\Velquor.ini";
    }
    void TearDown() override {
        for (const std::string& p : {path_, path_ + ".tmp"}) {
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(p.c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }
    void put(const std::string& bytes) {
        ASSERT_TRUE(write_whole_file(files_, path_, bytes));
    }
    bool exists(const std::string& p) {
        return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    WindowsFileSystem files_;
    std::string folder_;
    std::string path_;
};

const std::string old_bytes = "[Velquor\xA3\xBA]\r\n1=2019\xC4\xEA\xA3\xAC" "C:\\a.exe\r\n";
const std::string new_bytes = "[Velquor\xA3\xBA]\r\n";

TEST_F(WindowsFileSystemTest, WritesNewFileAndReplacesOldOne) {
    put(old_bytes);
    EXPECT_EQ(files_.read_whole_file(path_), old_bytes);
    put(new_bytes);
    EXPECT_EQ(files_.read_whole_file(path_), new_bytes);
    EXPECT_FALSE(exists(path_ + ".tmp"));
}

TEST_F(WindowsFileSystemTest, ReadOnlyFileKeepsItsBytes) {
    put(old_bytes);
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(write_whole_file(files_, path_, new_bytes));
    EXPECT_EQ(files_.read_whole_file(path_), old_bytes);
    EXPECT_FALSE(exists(path_ + ".tmp"));
}

TEST_F(WindowsFileSystemTest, FileHeldOpenByAnotherProgramKeepsItsBytes) {
    put(old_bytes);
    const HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(write_whole_file(files_, path_, new_bytes));
    CloseHandle(holder);
    EXPECT_EQ(files_.read_whole_file(path_), old_bytes);
    EXPECT_FALSE(exists(path_ + ".tmp"));
}

DWORD WINAPI close_after_a_while(void* handle) {
    Sleep(150);
    CloseHandle(static_cast<HANDLE>(handle));
    return 0;
}

// A scanner that holds the file for a moment does not make the save fail.
TEST_F(WindowsFileSystemTest, FileHeldBrieflyIsReplacedOnceFree) {
    put(old_bytes);
    const HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const HANDLE thread = CreateThread(nullptr, 0, close_after_a_while, holder, 0, nullptr);
    EXPECT_TRUE(write_whole_file(files_, path_, new_bytes));
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(files_.read_whole_file(path_), new_bytes);
}

TEST_F(WindowsFileSystemTest, MissingFolderFailsAndCreatesNothing) {
    const std::string missing = folder_ + "\\missing\\Velquor.ini";
    EXPECT_FALSE(write_whole_file(files_, missing, new_bytes));
    EXPECT_FALSE(exists(folder_ + "\\missing"));
}

TEST_F(WindowsFileSystemTest, MissingOrEmptyFileReadsAsNoBytes) {
    EXPECT_EQ(files_.read_whole_file(path_), "");
    put("");
    EXPECT_EQ(files_.read_whole_file(path_), "");
}

TEST_F(WindowsFileSystemTest, DocumentsFolderExists) {
    const auto documents = files_.documents_folder_path();
    ASSERT_TRUE(documents.has_value());
    EXPECT_NE(GetFileAttributesA(documents->c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
}  // namespace velquor
