#include "app/program_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(ProgramFolder, RunsWithCodePage936) { EXPECT_EQ(GetACP(), 936u); }

struct FolderCase {
    const char* path;
    const char* folder;
};

// 0x5C is also the second byte of some two-byte characters (81 5C, 96 5C),
// so only a scan from the start finds the real backslash.
TEST(ProgramFolder, CutsBeforeTheLastBackslashThatIsACharacter) {
    const FolderCase cases[] = {
        {"C:\\Tools\\velquor.exe", "C:\\Tools"},
        {"C:\\velquor.exe", "C:"},
        {"velquor.exe", ""},
        {"", ""},
        {"\\\\server\\share\\velquor.exe", "\\\\server\\share"},
        // 工具\ then a name ending in the character 81 5C: the 5C there is no separator.
        {"D:\\\xB9\xA4\xBE\xDF\\\x81\x5C.exe", "D:\\\xB9\xA4\xBE\xDF"},
        // A folder whose name ends in 96 5C: its 5C is no separator either.
        {"D:\\a\x96\x5C\\v.exe", "D:\\a\x96\x5C"},
        {"D:\\a\x96\x5Cv.exe", "D:"},
    };
    for (const auto& c : cases) EXPECT_EQ(folder_of_path(c.path), c.folder) << c.path;
}

TEST(ProgramFolder, ProgramPathIsThisProgram) {
    const std::string path = program_file_path();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_STRCASEEQ(path.substr(path.size() - 4).c_str(), ".exe");
}

}  // namespace
}  // namespace velquor
