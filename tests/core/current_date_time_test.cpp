#include <gtest/gtest.h>

#include "core/date_time.h"

namespace velquor {
namespace {

TEST(CurrentDateTime, CarriesNoFractionOfASecond) {
    // Two readings fall in one second nearly always; a reading pair that
    // straddles a second boundary is taken again.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const double first = current_date_time();
        const double read_back = parse_date_time_text(date_time_text(first));
        const double second = current_date_time();
        EXPECT_EQ(read_back, first);
        EXPECT_EQ(date_time_from_fields(date_time_fields(first)), first);
        EXPECT_GE(date_time_fields(first).year, 2020);
        if (moment_seconds(first) == moment_seconds(second)) {
            EXPECT_TRUE(same_moment(read_back, second));
            return;
        }
        EXPECT_FALSE(same_moment(read_back, second));
        EXPECT_EQ(moment_seconds(second), moment_seconds(first) + 1);
    }
    FAIL() << "the clock never stayed in one second for two readings";
}

}  // namespace
}  // namespace velquor
