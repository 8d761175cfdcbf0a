#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!velquor::e2e::environment_ready("reliability_tests")) return 2;
    return RUN_ALL_TESTS();
}
