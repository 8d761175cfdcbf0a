#include <windows.h>
#include <ole2.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!velquor::e2e::environment_ready("e2e_tests")) return 2;
    // The drag tests are an OLE drop source.
    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "e2e_tests: OleInitialize failed.\n");
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
