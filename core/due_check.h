// Launches the rows whose second has come. It remembers the last second it
// examined, so a second that no tick fell into is still launched and two ticks
// in one second launch nothing twice.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "schedule_table.h"

namespace velquor {

class DueCheck {
public:
    // Launches, in table order, every row whose moment lies after the last
    // second examined and at or before now. The first pass, and a pass after
    // the clock went back or jumped more than a minute ahead, examines now
    // alone.
    void run_due_check(const ScheduleTable& table, double now,
                       const std::function<void(const std::string&)>& launch_target);

    // Longest gap that is still made up; beyond it the clock jumped.
    static constexpr std::int64_t max_catch_up_seconds = 60;

private:
    std::optional<std::int64_t> last_examined_;
};

}  // namespace velquor
