// The tick comes a few milliseconds after each second of the wall clock
// begins, re-armed at every tick, so that it does not drift against the clock.
#pragma once

#include <chrono>

namespace velquor {

// Late enough that the clock reads the new second, early enough to launch
// within it.
inline constexpr int tick_margin_ms = 5;
inline constexpr unsigned tick_timer_id = 1;

inline int milliseconds_to_next_tick(std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto into_second = duration_cast<milliseconds>(now.time_since_epoch()) % seconds(1);
    int ms = static_cast<int>(into_second.count());
    if (ms < 0) ms += 1000;
    return 1000 - ms + tick_margin_ms;
}

}  // namespace velquor
