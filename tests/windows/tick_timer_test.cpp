#include "ui/tick_timer.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

using namespace std::chrono;

TEST(TickTimer, NextTickFallsJustAfterTheNextSecondBegins) {
    const system_clock::time_point second{seconds(1'700'000'000)};
    struct Case {
        milliseconds into_second;
        int delay;
    };
    const Case cases[] = {
        {milliseconds(0), 1000 + tick_margin_ms},
        {milliseconds(1), 999 + tick_margin_ms},
        {milliseconds(500), 500 + tick_margin_ms},
        // A timer that fired a little early still aims at the second to come.
        {milliseconds(998), 2 + tick_margin_ms},
        {milliseconds(999), 1 + tick_margin_ms},
    };
    for (const auto& c : cases)
        EXPECT_EQ(milliseconds_to_next_tick(second + c.into_second), c.delay)
            << c.into_second.count();
}

TEST(TickTimer, SubMillisecondsDoNotChangeTheTarget) {
    const system_clock::time_point at{seconds(1'700'000'000) + microseconds(250'900)};
    EXPECT_EQ(milliseconds_to_next_tick(at), 750 + tick_margin_ms);
}

}  // namespace
}  // namespace velquor
