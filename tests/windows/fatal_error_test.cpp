// A platform function that cannot be bound ends the program with an error box
// that names it, and exit code -1.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace velquor {
namespace {

struct BoxSearch {
    DWORD process;
    HWND box;
};

BOOL CALLBACK find_box(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<BoxSearch*>(lparam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (process == search->process && lstrcmpA(class_name, "#32770") == 0 &&
        IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

TEST(FatalError, MissingFunctionShowsItsNameAndEndsWithMinusOne) {
    std::string program = BIND_MISSING_FUNCTION_EXE;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
    BoxSearch search{child.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !search.box; ++i) {
        Sleep(50);
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_NE(search.box, nullptr) << "no error box";
    char text[512] = {};
    GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
    EXPECT_NE(std::string(text).find("NoSuchFunctionA"), std::string::npos) << text;
    EXPECT_NE(std::string(text).find("user32.dll"), std::string::npos) << text;
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(static_cast<int>(code), -1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}  // namespace
}  // namespace velquor
