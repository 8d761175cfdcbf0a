// The schedule core's hot paths, natively: reading one moment, one whole due
// pass over large tables, loading a large schedule file. Each reading of a
// moment is set against what a plain C program would write instead (sscanf or
// strptime, then mktime), in the same run, so that the ratio does not depend
// on the machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "core/date_time.h"
#include "core/due_check.h"
#include "core/schedule_file.h"
#include "core/schedule_table.h"

namespace {

// 2019年3月11日11时19分43秒
constexpr char text_form[] =
    "2019\xC4\xEA" "3\xD4\xC2" "11\xC8\xD5" "11\xCA\xB1" "19\xB7\xD6" "43\xC3\xEB";
constexpr char numeric_form[] = "2019-03-11 11:19:43";
constexpr char date_form[] = "2019/3/11";

void parse_text(benchmark::State& state, std::string_view text) {
    for (auto _ : state) {
        std::string_view input = text;
        benchmark::DoNotOptimize(input);
        benchmark::DoNotOptimize(velquor::parse_date_time_text(input));
    }
}
BENCHMARK_CAPTURE(parse_text, text_form, std::string_view(text_form));
BENCHMARK_CAPTURE(parse_text, numeric_form, std::string_view(numeric_form));
BENCHMARK_CAPTURE(parse_text, date_form, std::string_view(date_form));

// The time stamp that mktime gives is what such a program would compare.
std::time_t local_seconds(std::tm fields) {
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

void sscanf_mktime(benchmark::State& state, const char* text, const char* format) {
    for (auto _ : state) {
        const char* input = text;
        benchmark::DoNotOptimize(input);
        std::tm t{};
        const int read = std::sscanf(input, format, &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                                     &t.tm_min, &t.tm_sec);
        t.tm_year -= 1900;
        t.tm_mon -= 1;
        benchmark::DoNotOptimize(read);
        benchmark::DoNotOptimize(local_seconds(t));
    }
}
// The format bytes of the text form are the GBK unit characters themselves.
BENCHMARK_CAPTURE(sscanf_mktime, text_form, text_form,
                  "%d\xC4\xEA%d\xD4\xC2%d\xC8\xD5%d\xCA\xB1%d\xB7\xD6%d\xC3\xEB");
BENCHMARK_CAPTURE(sscanf_mktime, numeric_form, numeric_form, "%d-%d-%d %d:%d:%d");
BENCHMARK_CAPTURE(sscanf_mktime, date_form, date_form, "%d/%d/%d");

void strptime_mktime(benchmark::State& state, const char* text, const char* format) {
    for (auto _ : state) {
        const char* input = text;
        benchmark::DoNotOptimize(input);
        std::tm t{};
        benchmark::DoNotOptimize(strptime(input, format, &t));
        benchmark::DoNotOptimize(local_seconds(t));
    }
}
BENCHMARK_CAPTURE(strptime_mktime, text_form, text_form,
                  "%Y\xC4\xEA%m\xD4\xC2%d\xC8\xD5%H\xCA\xB1%M\xB7\xD6%S\xC3\xEB");
BENCHMARK_CAPTURE(strptime_mktime, numeric_form, numeric_form, "%Y-%m-%d %H:%M:%S");
BENCHMARK_CAPTURE(strptime_mktime, date_form, date_form, "%Y/%m/%d");

// 2019-03-11 11:00:00 and the given number of seconds after it (up to a few
// days).
double moment_at(int offset) {
    const int s = 11 * 3600 + offset;
    return velquor::date_time_from_fields(
        {2019, 3, 11 + s / 86400, s / 3600 % 24, s / 60 % 60, s % 60});
}

// The reading alone, without mktime: how much of the plain cost is the time
// zone's.
void sscanf_only(benchmark::State& state, const char* text, const char* format) {
    for (auto _ : state) {
        const char* input = text;
        benchmark::DoNotOptimize(input);
        std::tm t{};
        benchmark::DoNotOptimize(std::sscanf(input, format, &t.tm_year, &t.tm_mon, &t.tm_mday,
                                             &t.tm_hour, &t.tm_min, &t.tm_sec));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK_CAPTURE(sscanf_only, numeric_form, numeric_form, "%d-%d-%d %d:%d:%d");

void strptime_only(benchmark::State& state, const char* text, const char* format) {
    for (auto _ : state) {
        const char* input = text;
        benchmark::DoNotOptimize(input);
        std::tm t{};
        benchmark::DoNotOptimize(strptime(input, format, &t));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK_CAPTURE(strptime_only, numeric_form, numeric_form, "%Y-%m-%d %H:%M:%S");

// Rows one second apart, in the text form that the add button writes, each
// with a target path of ordinary length.
velquor::ScheduleTable table_of(int rows) {
    velquor::ScheduleTable table;
    for (int i = 0; i < rows; ++i) {
        velquor::add_entry(table, moment_at(i),
                           "C:\\Users\\user\\Documents\\jobs\\backup_" + std::to_string(i) +
                               ".bat");
    }
    return table;
}

// One tick's pass. The clock moves on by a second per pass and one row falls
// due in each, as in a schedule with a row every second.
void due_check_pass(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const velquor::ScheduleTable table = table_of(rows);
    velquor::DueCheck check;
    long long launched = 0;
    const auto launch = [&launched](const std::string&) { ++launched; };
    int second = 0;
    for (auto _ : state) {
        check.run_due_check(table, moment_at(second), launch);
        second = (second + 1) % rows;
    }
    benchmark::DoNotOptimize(launched);
    state.counters["launched"] = static_cast<double>(launched);
}
BENCHMARK(due_check_pass)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same table in the plain design: every row parsed and the clock read anew
// for every row, compared for exact equality, nothing remembered.
void plain_design_pass(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const velquor::ScheduleTable table = table_of(rows);
    long long launched = 0;
    for (auto _ : state) {
        for (int row = 0; row < table.row_count(); ++row) {
            const double moment =
                velquor::parse_date_time_text(table.cell_text(row, velquor::moment_column));
            if (velquor::same_moment(moment, velquor::current_date_time())) ++launched;
        }
    }
    benchmark::DoNotOptimize(launched);
}
BENCHMARK(plain_design_pass)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A schedule file of at least 1 MB, as save_schedule would write it.
std::string megabyte_file() {
    for (int rows = 10000;; rows += 1000) {
        std::string text = velquor::schedule_file_text(table_of(rows));
        if (text.size() >= 1000000) return text;
    }
}

void load_megabyte(benchmark::State& state) {
    const std::string bytes = megabyte_file();
    velquor::ScheduleTable table;
    for (auto _ : state) {
        velquor::load_schedule_text(table, bytes);
        benchmark::DoNotOptimize(table.row_count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.counters["rows"] = static_cast<double>(table.row_count());
}
BENCHMARK(load_megabyte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
