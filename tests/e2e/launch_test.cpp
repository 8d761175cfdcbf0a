// The point of the program: each row's target is opened once, in its second.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/e2e/driver.h"
#include "tests/e2e/expected_texts.h"

namespace velquor::e2e {
namespace {

struct ScheduledRow {
    const char* marker;
    int due_in_seconds;
    // How the moment cell is written: the program's own text, the numeric
    // form that a hand-edited file may hold, or something unreadable.
    enum Form { own_text, numeric, unreadable } form;
    // Whether the target is the full path or the file name alone, which is
    // looked for in the program's folder.
    bool relative_target;
    int expected_launches;
};

std::string numeric_text(const SYSTEMTIME& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

TEST(Launch, EachDueRowOpensItsTargetOnceAndNoEarlierThanItsSecond) {
    const ScheduledRow rows[] = {
        {"marker_a", 4, ScheduledRow::own_text, false, 1},
        // Two rows in one second: both, in the same tick.
        {"marker_b", 5, ScheduledRow::own_text, false, 1},
        {"marker_c", 5, ScheduledRow::own_text, false, 1},
        {"marker_n", 4, ScheduledRow::numeric, false, 1},
        {"marker_r", 5, ScheduledRow::own_text, true, 1},
        // A moment that passed before the program started is never made up.
        {"marker_p", -30, ScheduledRow::own_text, false, 0},
        {"marker_u", 4, ScheduledRow::unreadable, false, 0},
    };
    clear_documents_folder();
    // 定时启动: the targets' paths hold GBK bytes, handed over unchanged.
    TestFolder folder("\xB6\xA8\xCA\xB1\xC6\xF4\xB6\xAF");
    std::string file = expected::file_header;
    int number = 0;
    const SYSTEMTIME start = local_time_in(0);
    for (const ScheduledRow& row : rows) {
        const std::string path = folder.add_marker(row.marker);
        const SYSTEMTIME due = moved(start, row.due_in_seconds);
        const std::string moment = row.form == ScheduledRow::own_text  ? moment_text(due)
                                   : row.form == ScheduledRow::numeric ? numeric_text(due)
                                                                       : "soon";
        file += std::to_string(++number) + "=" + moment + expected::comma +
                (row.relative_target ? std::string(row.marker) + ".exe" : path) + "\r\n";
    }
    write_file(schedule_file_path(), file);

    Velquor velquor(folder);
    EXPECT_TRUE(wait_until([&] {
        for (const ScheduledRow& row : rows)
            if (row.expected_launches > 0 && folder.launch_count(row.marker) == 0) return false;
        return true;
    }, 20000)) << "not every due row was launched";
    // Two seconds past the last due one: a second launch would have come by now.
    int last_due = 0;
    for (const ScheduledRow& row : rows) last_due = std::max(last_due, row.due_in_seconds);
    const unsigned long long quiet_from = utc_ticks_of(moved(start, last_due + 2));
    wait_until([&] {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        return ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) >
               quiet_from;
    }, 20000);
    // A marker started last may still be writing its line.
    Sleep(500);
    ASSERT_TRUE(velquor.running());

    for (const ScheduledRow& row : rows) {
        SCOPED_TRACE(row.marker);
        EXPECT_EQ(folder.launch_count(row.marker), row.expected_launches);
        for (const Launch& launch : folder.launches()) {
            if (launch.name != row.marker) continue;
            EXPECT_GE(launch.utc_ticks, utc_ticks_of(moved(start, row.due_in_seconds)))
                << "launched before its second";
        }
    }
}

}  // namespace
}  // namespace velquor::e2e
