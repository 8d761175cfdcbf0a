// The local wall clock, read through the standard library so that the core
// needs no platform header.
#include <chrono>
#include <ctime>

#include "date_time.h"

namespace velquor {

double current_date_time() {
    // Dropping the fraction, not rounding, keeps the second that the wall
    // clock shows.
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return date_time_from_fields({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec});
}

}  // namespace velquor
