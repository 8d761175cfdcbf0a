// A long run of launches: one row due every second, each opening its own
// copy of the marker, while for a third of every minute the test keeps every
// processor busy beside the program. Every row must be opened exactly once,
// in table order and never before its second. VELQUOR_SOAK_SECONDS sets the
// length of the run (default 60); the figures are printed at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

#include "tests/e2e/driver.h"

namespace velquor::e2e {
namespace {

constexpr unsigned long long ticks_per_second = 10000000ULL;
constexpr unsigned long long ticks_per_ms = 10000ULL;
// After the program's window shows, the first row is due this late: the
// first tick must have come before it.
constexpr int lead_seconds = 4;
// After the last row's second: time for a late launch and for its marker to
// write its line.
constexpr int tail_seconds = 4;
// Within each minute of the run, the processor is kept busy from the 20th to
// the 40th second.
constexpr int load_period_seconds = 60;
constexpr int load_from_second = 20;
constexpr int load_until_second = 40;

int soak_seconds() {
    const char* text = std::getenv("VELQUOR_SOAK_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 60;
}

unsigned long long utc_now() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

void sleep_until(unsigned long long utc_ticks) {
    for (unsigned long long now = utc_now(); now < utc_ticks; now = utc_now())
        Sleep(static_cast<DWORD>(std::min<unsigned long long>((utc_ticks - now) / ticks_per_ms + 1,
                                                              1000)));
}

std::string numeric_text(const SYSTEMTIME& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string row_name(int row) {
    char name[16];
    std::snprintf(name, sizeof name, "row_%05d", row);
    return name;
}

// One marker file per row, as hard links of one copy: hundreds of copies of
// the program would fill the disk for nothing.
std::vector<std::string> add_row_markers(TestFolder& folder, int rows) {
    std::vector<std::string> paths{folder.add_marker(row_name(0))};
    for (int row = 1; row < rows; ++row) {
        const std::string path = folder.path() + "\\" + row_name(row) + ".exe";
        if (!CreateHardLinkA(path.c_str(), paths.front().c_str(), nullptr))
            folder.add_marker(row_name(row));
        paths.push_back(path);
    }
    return paths;
}

bool under_load(int row) {
    const int into_period = row % load_period_seconds;
    return into_period >= load_from_second && into_period < load_until_second;
}

// Keeps every processor busy during the load periods of the run that starts
// at first_due; joins when the run is over.
class ProcessorLoad {
public:
    ProcessorLoad(unsigned long long first_due, int rows)
        : controller_([this, first_due, rows] { run(first_due, rows); }) {}
    ~ProcessorLoad() {
        if (controller_.joinable()) controller_.join();
    }
    void join() { controller_.join(); }
    int threads() const { return threads_; }
    double planned_seconds() const { return planned_ticks_ / double(ticks_per_second); }
    double busy_seconds() const { return busy_ticks_.load() / double(ticks_per_second); }

private:
    void run(unsigned long long first_due, int rows) {
        for (int period = 0; period * load_period_seconds + load_from_second < rows; ++period) {
            const unsigned long long from =
                first_due + (period * load_period_seconds + load_from_second) * ticks_per_second;
            const unsigned long long until =
                first_due + std::min(period * load_period_seconds + load_until_second, rows) *
                                ticks_per_second;
            planned_ticks_ += (until - from) * threads_;
            sleep_until(from);
            std::vector<std::thread> spinners;
            for (int i = 0; i < threads_; ++i)
                spinners.emplace_back([this, until] { spin_until(until); });
            for (std::thread& spinner : spinners) spinner.join();
        }
    }

    void spin_until(unsigned long long until) {
        const unsigned long long start = utc_now();
        volatile unsigned state = 1;
        while (utc_now() < until)
            for (int i = 0; i < 100000; ++i) state = state * 1664525u + 1013904223u;
        busy_ticks_ += utc_now() - start;
    }

    const int threads_ = std::max(2, static_cast<int>(std::thread::hardware_concurrency()));
    unsigned long long planned_ticks_ = 0;
    std::atomic<unsigned long long> busy_ticks_{0};
    std::thread controller_;
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

TEST(Soak, EveryRowOfALongRunOpensOnceInOrderAlsoBesideABusyProcessor) {
    const int rows = soak_seconds();
    clear_documents_folder();
    TestFolder folder("soak");
    const std::vector<std::string> targets = add_row_markers(folder, rows);
    {
        // The first start after the prefix was made loads much of Wine; the
        // run must not depend on how long that takes.
        Velquor warm_up(folder);
        PostMessageA(warm_up.window(), WM_CLOSE, 0, 0);
        ASSERT_EQ(warm_up.wait_for_exit(30000), DWORD{0});
    }

    const SYSTEMTIME first = local_time_in(lead_seconds);
    std::vector<unsigned long long> due(rows);
    // The moment is written in both forms that a file may hold, the
    // program's own and the numeric one, row by row in turn.
    std::string file = "[Velquor\xA3\xBA]\r\n";
    for (int row = 0; row < rows; ++row) {
        const SYSTEMTIME moment = moved(first, row);
        due[row] = utc_ticks_of(moment);
        file += std::to_string(row + 1) + "=" +
                (row % 2 ? numeric_text(moment) : moment_text(moment)) + "\xA3\xAC" +
                targets[row] + "\r\n";
    }
    write_file(schedule_file_path(), file);

    Velquor velquor(folder);
    ASSERT_LT(utc_now() + ticks_per_second, due.front())
        << "the window showed too late for the first row's second";
    ProcessorLoad load(due.front(), rows);
    sleep_until(due.back() + tail_seconds * ticks_per_second);
    load.join();
    ASSERT_TRUE(velquor.running());
    EXPECT_GE(load.busy_seconds(), load.planned_seconds() * 0.95) << "the load did not run";

    const std::vector<Launch> launches = folder.launches();
    std::map<std::string, int> row_of;
    for (int row = 0; row < rows; ++row) row_of[row_name(row)] = row;
    std::vector<int> count(rows, 0);
    std::vector<unsigned long long> first_start(rows, 0);
    std::vector<std::string> strangers;
    std::vector<int> early;
    for (const Launch& launch : launches) {
        const auto found = row_of.find(launch.name);
        if (found == row_of.end()) {
            strangers.push_back(launch.name);
            continue;
        }
        const int row = found->second;
        if (count[row]++ == 0) first_start[row] = launch.utc_ticks;
        if (launch.utc_ticks < due[row]) early.push_back(row + 1);
    }
    std::vector<int> missed, doubled;
    std::vector<double> lateness_ms, loaded_ms, idle_ms;
    for (int row = 0; row < rows; ++row) {
        if (count[row] == 0) missed.push_back(row + 1);
        if (count[row] > 1) doubled.push_back(row + 1);
        if (count[row] == 0) continue;
        const double late = (double(first_start[row]) - double(due[row])) / ticks_per_ms;
        lateness_ms.push_back(late);
        (under_load(row) ? loaded_ms : idle_ms).push_back(late);
    }
    // In the order in which the markers started, the rows must come as the
    // table lists them.
    std::vector<Launch> by_start = launches;
    std::stable_sort(by_start.begin(), by_start.end(),
                     [](const Launch& a, const Launch& b) { return a.utc_ticks < b.utc_ticks; });
    std::vector<std::string> out_of_order;
    for (std::size_t i = 1; i < by_start.size(); ++i)
        if (row_of.count(by_start[i - 1].name) && row_of.count(by_start[i].name) &&
            row_of[by_start[i].name] < row_of[by_start[i - 1].name])
            out_of_order.push_back(by_start[i - 1].name + " before " + by_start[i].name);

    const int once = static_cast<int>(std::count(count.begin(), count.end(), 1));
    std::printf("soak: %d rows over %d s; launched once %d, missed %zu, doubled %zu, "
                "out of order %zu, early %zu\n",
                rows, rows, once, missed.size(), doubled.size(), out_of_order.size(),
                early.size());
    std::printf("soak: load %d threads, %.0f s of %.0f s planned thread time\n", load.threads(),
                load.busy_seconds(), load.planned_seconds());
    std::printf("soak: lateness of marker start after its second, ms: p50 %.0f, p99 %.0f, "
                "max %.0f (under load max %.0f, idle max %.0f)\n",
                percentile(lateness_ms, 0.50), percentile(lateness_ms, 0.99),
                percentile(lateness_ms, 1.0), percentile(loaded_ms, 1.0),
                percentile(idle_ms, 1.0));
    std::fflush(stdout);

    EXPECT_EQ(once, rows);
    EXPECT_EQ(missed, std::vector<int>{});
    EXPECT_EQ(doubled, std::vector<int>{});
    EXPECT_EQ(early, std::vector<int>{});
    EXPECT_EQ(out_of_order, std::vector<std::string>{});
    EXPECT_EQ(strangers, std::vector<std::string>{});

    PostMessageA(velquor.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(velquor.wait_for_exit(30000), DWORD{0});
}

}  // namespace
}  // namespace velquor::e2e
