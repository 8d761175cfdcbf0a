// Whatever text comes in, the reading gives the never-due value or a whole
// second within the range that its own text reads back to.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = velquor::parse_date_time_text(text);
    if (value == velquor::min_date_time) return 0;
    // The times of day of the range's first and last days lie past its ends
    // (below zero the time of day is subtracted); limiting takes them back.
    if (!(value > velquor::min_date_time - 1.0 && value < velquor::max_date_time + 1.0))
        std::abort();
    const double limited = velquor::limit_date_time(value);
    if (velquor::date_time_from_fields(velquor::date_time_fields(limited)) != limited)
        std::abort();
    if (velquor::parse_date_time_text(velquor::date_time_text(value)) != limited) std::abort();
    return 0;
}
