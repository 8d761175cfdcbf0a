#include <gtest/gtest.h>

#include "core/date_time.h"
#include "core/due_check.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;
using Targets = std::vector<std::string>;

// Moments on 2019-03-11, as the seconds after 11:19:00.
double at(int seconds) {
    return date_time_from_fields({2019, 3, 11, 11 + seconds / 3600, 19 + seconds / 60 % 60, seconds % 60});
}

// Rows of a moment text and a target.
ScheduleTable table_of(const std::vector<std::pair<std::string, std::string>>& rows) {
    ScheduleTable table;
    for (const auto& [moment, target] : rows) {
        const int row = table.append_row();
        table.set_cell(row, number_column, std::to_string(row + 1));
        table.set_cell(row, moment_column, moment);
        table.set_cell(row, target_column, target);
    }
    return table;
}

// A due check over a simulated clock that records what it launched.
class Clock {
public:
    explicit Clock(const ScheduleTable& table) : table_(table) {}

    Targets pass(double now) {
        Targets launched;
        check_.run_due_check(table_, now, [&launched](const std::string& target) { launched.push_back(target); });
        return launched;
    }

private:
    const ScheduleTable& table_;
    DueCheck check_;
};

TEST(DueCheck, LaunchesTheRowOfTheCurrentSecond) {
    const ScheduleTable table = table_of({{date_time_text(at(43)), "D:\\jobs\\backup.bat"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(42)), Targets{});
    EXPECT_EQ(clock.pass(at(43)), Targets{"D:\\jobs\\backup.bat"});
    EXPECT_EQ(clock.pass(at(44)), Targets{});
}

TEST(DueCheck, FirstPassExaminesNowAlone) {
    const ScheduleTable table = table_of({{date_time_text(at(42)), "before"}, {date_time_text(at(43)), "now"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), Targets{"now"});
}

TEST(DueCheck, MakesUpASkippedSecondOnce) {
    const ScheduleTable table = table_of({{date_time_text(at(1)), "first"}, {date_time_text(at(2)), "skipped"},
                                          {date_time_text(at(3)), "third"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(1)), Targets{"first"});
    EXPECT_EQ(clock.pass(at(3)), (Targets{"skipped", "third"}));
    EXPECT_EQ(clock.pass(at(4)), Targets{});
}

TEST(DueCheck, TwoPassesInOneSecondLaunchOnce) {
    const ScheduleTable table = table_of({{date_time_text(at(43)), "once"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), Targets{"once"});
    EXPECT_EQ(clock.pass(at(43)), Targets{});
    EXPECT_EQ(clock.pass(at(43) + 0.1 / 86400), Targets{});
}

TEST(DueCheck, ASecondShownTwiceIsDueTwice) {
    const ScheduleTable table = table_of({{date_time_text(at(40)), "before"}, {date_time_text(at(43)), "again"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(39)), Targets{});
    EXPECT_EQ(clock.pass(at(43)), (Targets{"before", "again"}));
    EXPECT_EQ(clock.pass(at(45)), Targets{});
    // The clock is set back: the repeated second is due again, but nothing is
    // made up from before it.
    EXPECT_EQ(clock.pass(at(43)), Targets{"again"});
    EXPECT_EQ(clock.pass(at(44)), Targets{});
}

TEST(DueCheck, MakesUpAMinuteButNotALeap) {
    const ScheduleTable table = table_of({{date_time_text(at(0)), "start"}, {date_time_text(at(1)), "1"},
                                          {date_time_text(at(59)), "59"}, {date_time_text(at(60)), "60"},
                                          {date_time_text(at(100)), "100"}, {date_time_text(at(161)), "161"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(0)), Targets{"start"});
    EXPECT_EQ(clock.pass(at(60)), (Targets{"1", "59", "60"}));
    EXPECT_EQ(clock.pass(at(161)), Targets{"161"});
}

TEST(DueCheck, MakesUpAcrossTheDayOfZero) {
    const double before = date_time_from_fields({1899, 12, 29, 23, 59, 58});
    const ScheduleTable table = table_of({{"1899-12-29 23:59:59", "last of the 29th"}, {"1899-12-30", "midnight"},
                                          {"1899-12-30 0:0:1", "after"}, {"1899-12-29 0:0:1", "long before"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(before), Targets{});
    EXPECT_EQ(clock.pass(date_time_from_fields({1899, 12, 30, 0, 0, 1})),
              (Targets{"last of the 29th", "midnight", "after"}));
}

TEST(DueCheck, LaunchesEveryRowOfTheSecondInTableOrder) {
    const ScheduleTable table = table_of({{date_time_text(at(43)), "b"}, {date_time_text(at(44)), "not yet"},
                                          {date_time_text(at(43)), "a"}, {date_time_text(at(43)), "b"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), (Targets{"b", "a", "b"}));
}

TEST(DueCheck, ReadsEveryFormOfMoment) {
    const ScheduleTable table = table_of({{"2019-03-11 11:19:43", "numeric"},
                                          {gbk(u8"2019年3月11日11时19分43秒"), "text"},
                                          {gbk(u8"２０１９／３／１１　１１：１９：４３"), "full-width"},
                                          {"20190311111943", "digits"},
                                          {"2019-03-11 11:19:43 ", "unreadable"},
                                          {"2019/3/11", "midnight"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), (Targets{"numeric", "text", "full-width", "digits"}));
    Clock other(table);
    EXPECT_EQ(other.pass(date_time_from_fields({2019, 3, 11, 0, 0, 0})), Targets{"midnight"});
}

// The table keeps what each moment cell reads as: every way the cell changes
// must change when its row is due.
TEST(DueCheck, ARowIsDueAtWhatItsMomentCellHoldsNow) {
    ScheduleTable table = table_of({{date_time_text(at(43)), "moved"}, {date_time_text(at(43)), "kept"}});
    table.set_cell(0, moment_column, date_time_text(at(45)));
    table.set_cell(1, number_column, "7");
    table.set_cell(1, target_column, "kept");
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), Targets{"kept"});
    EXPECT_EQ(clock.pass(at(45)), Targets{"moved"});
    table.remove_row(0);
    table.set_cell(0, moment_column, "not a moment");
    const int added = table.append_row();
    table.set_cell(added, moment_column, date_time_text(at(47)));
    table.set_cell(added, target_column, "added");
    EXPECT_EQ(clock.pass(at(47)), Targets{"added"});
    table.remove_all_rows();
    EXPECT_EQ(clock.pass(at(48)), Targets{});
}

TEST(DueCheck, AnUnreadableMomentIsNeverDue) {
    // Every moment of 0100-01-01 lies at or below the lowest value, which an
    // unreadable text also reads as.
    const ScheduleTable table = table_of({{"", "empty"}, {"garbage", "garbage"}, {"100-1-1", "lowest"},
                                          {gbk(u8"100年1月1日"), "lowest text"}, {"100-1-1 0:0:1", "below"},
                                          {"100-1-2", "second day"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(min_date_time), Targets{});
    EXPECT_EQ(clock.pass(date_time_from_fields({100, 1, 1, 0, 0, 1})), Targets{});
    EXPECT_EQ(clock.pass(date_time_from_fields({100, 1, 2, 0, 0, 0})), Targets{"second day"});
    Clock nan_clock(table);
    EXPECT_EQ(nan_clock.pass(std::numeric_limits<double>::quiet_NaN()), Targets{});
}

TEST(DueCheck, HandsAnEmptyTargetAsAnEmptyText) {
    const ScheduleTable table = table_of({{date_time_text(at(43)), ""}, {date_time_text(at(43)), gbk(u8" D:\\备份 ")}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), (Targets{"", gbk(u8" D:\\备份 ")}));
}

TEST(DueCheck, TheLastSecondOfTheRangeIsTheUpperLimit) {
    const ScheduleTable table = table_of({{"9999-12-31 23:59:59", "last"}});
    Clock clock(table);
    EXPECT_EQ(clock.pass(max_date_time), Targets{"last"});
}

TEST(DueCheck, AnEmptyTableLaunchesNothing) {
    const ScheduleTable table;
    Clock clock(table);
    EXPECT_EQ(clock.pass(at(43)), Targets{});
}

TEST(DueCheck, ANestedPassDuringALaunchLaunchesNothingTwice) {
    const ScheduleTable table = table_of({{date_time_text(at(42)), "skipped"}, {date_time_text(at(43)), "a"},
                                          {date_time_text(at(43)), "b"}});
    DueCheck check;
    Targets launched;
    bool nested = false;
    std::function<void(const std::string&)> launch = [&](const std::string& target) {
        launched.push_back(target);
        if (nested) return;
        nested = true;
        // A modal box of a launch dispatches ticks of its own, in the same
        // second and in the next one.
        if (target == "a") {
            check.run_due_check(table, at(43), launch);
            check.run_due_check(table, at(44), launch);
        }
        nested = false;
    };
    check.run_due_check(table, at(41), launch);
    check.run_due_check(table, at(43), launch);
    EXPECT_EQ(launched, (Targets{"skipped", "a", "b"}));
}

TEST(DueCheck, RowsRemovedDuringALaunchDoNotShiftThePass) {
    ScheduleTable table = table_of({{date_time_text(at(43)), "a"}, {date_time_text(at(43)), "b"},
                                    {date_time_text(at(43)), "c"}});
    DueCheck check;
    Targets launched;
    check.run_due_check(table, at(43), [&](const std::string& target) {
        launched.push_back(target);
        if (target == "a") table.remove_row(0);
    });
    EXPECT_EQ(launched, (Targets{"a", "b", "c"}));
}

}  // namespace
}  // namespace velquor
