// Without an X display or code page 936 every test would fail for a reason
// that has nothing to do with the program, so the run stops at once and says why.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "reliability_tests: DISPLAY is not set; start Xvfb and export DISPLAY.\n");
        return 2;
    }
    if (GetACP() != 936) {
        std::fprintf(stderr, "reliability_tests: the ANSI code page is %u, not 936; run under "
                             "LC_ALL=zh_CN.UTF-8.\n", GetACP());
        return 2;
    }
    return RUN_ALL_TESTS();
}
