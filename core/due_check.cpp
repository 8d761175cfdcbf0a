#include "due_check.h"

#include <vector>

#include "date_time.h"

namespace velquor {

void DueCheck::run_due_check(const ScheduleTable& table, double now,
                             const std::function<void(const std::string&)>& launch_target) {
    const std::int64_t now_second = moment_seconds(now);
    // The seconds after the last one examined, up to now, are this pass's. With
    // nothing examined yet, or after the clock went back or leapt, only now is:
    // nothing from before is made up.
    const bool catch_up = last_examined_ && now_second >= *last_examined_ &&
                          now_second - *last_examined_ <= max_catch_up_seconds;
    const std::int64_t first_second = catch_up ? *last_examined_ + 1 : now_second;
    // A launch can dispatch a nested tick, which must find these seconds done.
    last_examined_ = now_second;

    // Targets are collected before any launch, so rows that a nested event
    // removes or adds during a launch do not shift under this pass.
    std::vector<std::string> due_targets;
    const int rows = table.row_count();
    for (int row = 0; row < rows; ++row) {
        const double moment = table.moment_of(row);
        // An unreadable moment reads as min_date_time, so that second is never due.
        if (same_moment(moment, min_date_time)) continue;
        const std::int64_t second = moment_seconds(moment);
        if (second >= first_second && second <= now_second) due_targets.push_back(table.cell(row, target_column));
    }
    for (const std::string& target : due_targets) launch_target(target);
}

}  // namespace velquor
