// Schedule files that no one writes by hand: huge, garbage, cut in the middle
// of a character, holding a NUL, with LF line ends, without the header. With
// each the program starts, shows what the file holds, keeps its clock
// running, closes on Esc with exit code 0 and leaves the file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <string_view>

#include "tests/e2e/driver.h"
#include "ui/control_ids.h"
#include "ui/texts.h"

namespace velquor::e2e {
namespace {

using Cells = std::array<std::string, 3>;

constexpr char header[] = "[Velquor\xA3\xBA]";
constexpr char comma[] = "\xA3\xAC";                 // ，
constexpr char task_folder[] = "D:\\\xC8\xCE\xCE\xF1";  // D:\任务
constexpr char backup[] = "\xB1\xB8\xB7\xDD_";        // 备份_
// 埃 followed by the character AC 40: A3 AC, the bytes of "，", stand across
// their boundary and must not be taken for one.
constexpr char misleading[] = "\xB0\xA3\xAC\x40";
constexpr std::size_t fifty_megabytes = 50u << 20;
constexpr unsigned garbage_seed = 20261211;
constexpr std::size_t garbage_size = 1u << 20;
// Ticks must have moved the clock line this often while it is watched.
constexpr DWORD watch_clock_ms = 3200;

struct Made {
    std::string bytes;
    int rows;
    // The cells that the list must show in the given row.
    std::function<Cells(int)> row;
};

Made rows_of(std::string bytes, std::vector<Cells> rows) {
    const int count = static_cast<int>(rows.size());
    return {std::move(bytes), count, [rows = std::move(rows)](int i) { return rows[i]; }};
}

// What a user keeps, many times over: the program's own moment texts, in
// the past so that nothing is due, and targets with GBK names.
Cells realistic_row(int i) {
    const SYSTEMTIME moment =
        calendar_time(2019 + i % 5, 1 + i % 12, 1 + i % 28, i % 24, i % 60, (i * 7) % 60);
    return {std::to_string(i), moment_text(moment),
            std::string(task_folder) + "\\" + backup + std::to_string(i) + ".bat"};
}

Cells numeric_row(int i) {
    char moment[32];
    std::snprintf(moment, sizeof moment, "2019-03-%02d %02d:%02d:%02d", 1 + i % 28, i % 24,
                  i % 60, (i * 13) % 60);
    return {std::to_string(i), moment, "C:\\jobs\\job_" + std::to_string(i) + ".bat"};
}

std::string row_line(const Cells& cells) {
    return cells[0] + "=" + cells[1] + comma + cells[2] + "\r\n";
}

Made generated(std::size_t min_bytes, int min_rows, Cells (*row)(int)) {
    std::string bytes = std::string(header) + "\r\n";
    int rows = 0;
    while (bytes.size() < min_bytes || rows < min_rows) bytes += row_line(row(++rows));
    return {std::move(bytes), rows, [row](int i) { return row(i + 1); }};
}

// The loading rules, written out for text that no one can predict by hand:
// characters are one byte, or two when the first is 0x80 or more and not the
// text's last; a line ends at an LF that starts a character, together with a
// CR that stands as a character just before it.
std::vector<Cells> rows_by_loading_rules(std::string_view bytes) {
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const auto width = [](std::string_view in, std::size_t at) -> std::size_t {
        return static_cast<unsigned char>(in[at]) >= 0x80 && at + 1 < in.size() ? 2 : 1;
    };
    const auto find = [&](std::string_view in, std::string_view what) {
        for (std::size_t at = 0; at + what.size() <= in.size(); at += width(in, at))
            if (in.substr(at, what.size()) == what) return at;
        return std::string_view::npos;
    };
    std::vector<std::string_view> lines;
    std::size_t start = 0, cr_at = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at += width(text, at)) {
        if (text[at] == '\n') {
            lines.push_back(text.substr(start, (cr_at + 1 == at ? cr_at : at) - start));
            start = at + 1;
        }
        if (text[at] == '\r') cr_at = at;
    }
    if (start < text.size())
        lines.push_back(text.substr(
            start, (cr_at + 1 == text.size() ? cr_at : text.size()) - start));

    std::vector<Cells> rows;
    const bool has_header = !lines.empty() && !lines[0].empty() && lines[0][0] == '[';
    for (std::size_t i = has_header ? 1 : 0; i < lines.size(); ++i) {
        const std::size_t equals = find(lines[i], "=");
        if (equals == std::string_view::npos) continue;
        const std::string_view rest = lines[i].substr(equals + 1);
        const std::size_t cut = find(rest, comma);
        rows.push_back({std::string(lines[i].substr(0, equals)), std::string(rest.substr(0, cut)),
                        cut == std::string_view::npos ? std::string()
                                                      : std::string(rest.substr(cut + 2))});
    }
    return rows;
}

Made garbage() {
    std::mt19937 random(garbage_seed);
    // No NUL: it would end the text within a few hundred bytes, and it has a
    // case of its own.
    std::uniform_int_distribution<int> byte(1, 255);
    std::string bytes(garbage_size, '\0');
    for (char& b : bytes) b = static_cast<char>(byte(random));
    return rows_of(bytes, rows_by_loading_rules(bytes));
}

struct HostileCase {
    const char* name;
    std::function<Made()> make;
};

const HostileCase hostile_cases[] = {
    {"FiftyMegabytesOfRealisticRows",
     [] { return generated(fifty_megabytes, 0, realistic_row); }},
    {"HundredThousandRows", [] { return generated(0, 100000, numeric_row); }},
    {"RandomBytes", garbage},
    {"LoneLeadByteAtTheEnd",
     [] {
         // The file's last byte starts a character that never comes: it
         // stays in the target as the one byte it is.
         return rows_of(std::string(header) + "\r\n1=2019-03-11 11:19:43" + comma +
                            "C:\\jobs\\a.bat\r\n2=2019-03-11 11:19:44" + comma + task_folder +
                            "\\b\xB0",
                        {{"1", "2019-03-11 11:19:43", "C:\\jobs\\a.bat"},
                         {"2", "2019-03-11 11:19:44", std::string(task_folder) + "\\b\xB0"}});
     }},
    {"NulInTheMiddle",
     [] {
         return rows_of(std::string(header) + "\r\n1=2019-03-11 11:19:43" + comma +
                            "C:\\jobs\\a.bat\r\n2=2019-03-11 11:19:44" + comma + "C:\\jobs\\b" +
                            std::string(1, '\0') + ".bat\r\n3=2019-03-11 11:19:45" + comma +
                            "C:\\jobs\\c.bat\r\n",
                        {{"1", "2019-03-11 11:19:43", "C:\\jobs\\a.bat"},
                         {"2", "2019-03-11 11:19:44", "C:\\jobs\\b"}});
     }},
    {"LfLineEnds",
     [] {
         // A blank line and a line without "=" among them hold no row.
         return rows_of(std::string(header) + "\n1=2019-03-11 11:19:43" + comma +
                            "C:\\jobs\\a.bat\n\nno equals sign here\n2=2019-03-11 11:19:44" +
                            comma + "C:\\jobs\\b.bat\n",
                        {{"1", "2019-03-11 11:19:43", "C:\\jobs\\a.bat"},
                         {"2", "2019-03-11 11:19:44", "C:\\jobs\\b.bat"}});
     }},
    {"NoHeader",
     [] {
         return rows_of(std::string("1=2019-03-11 11:19:43") + comma + "C:\\jobs\\a.bat\r\n2=" +
                            misleading + comma + "C:\\jobs\\b.bat\r\n",
                        {{"1", "2019-03-11 11:19:43", "C:\\jobs\\a.bat"},
                         {"2", misleading, "C:\\jobs\\b.bat"}});
     }},
};

// Every row of a list of the garbage's size; of the long ones the first, the
// last and some in the middle.
constexpr int look_at_every_row_up_to = 2000;
std::vector<int> rows_to_look_at(int rows) {
    std::set<int> picked;
    for (int i = 0; i < rows; ++i)
        if (rows <= look_at_every_row_up_to || i < 3 || i >= rows - 3 || i % (rows / 7) == 0)
            picked.insert(i);
    return {picked.begin(), picked.end()};
}

// A cell as the list gives it, read through a buffer with room for more than
// the expected text (the driver's reader stops at 1 KB; garbage lines are longer).
std::string shown_cell(const Velquor& velquor, int row, int column, std::size_t room) {
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                       FALSE, velquor.process_id());
    if (!process) return "(the program's memory cannot be reached)";
    std::string text;
    {
        RemoteBuffer buffer(process, sizeof(LVITEMA) + room + 1);
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.address() + sizeof(LVITEMA);
        item.cchTextMax = static_cast<int>(room + 1);
        buffer.write(&item, sizeof item);
        const LRESULT length = SendMessageA(velquor.control(schedule_list_id), LVM_GETITEMTEXTA,
                                            row, reinterpret_cast<LPARAM>(buffer.address()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        buffer.read(text.data(), text.size(), sizeof(LVITEMA));
    }
    CloseHandle(process);
    return text;
}

// Where two texts part, without printing a megabyte of garbage.
testing::AssertionResult same_bytes(const std::string& shown, const std::string& expected) {
    if (shown == expected) return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < shown.size() && at < expected.size() && shown[at] == expected[at]) ++at;
    const auto around = [at](const std::string& text) {
        std::string hex;
        char byte[4];
        for (std::size_t i = at; i < text.size() && i < at + 8; ++i) {
            std::snprintf(byte, sizeof byte, "%02X ", static_cast<unsigned char>(text[i]));
            hex += byte;
        }
        return hex.empty() ? std::string("(end)") : hex;
    };
    return testing::AssertionFailure()
           << "shown " << shown.size() << " bytes, expected " << expected.size()
           << "; they part at byte " << at << ": shown " << around(shown) << "expected "
           << around(expected);
}

bool window_answers(const Velquor& velquor) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(velquor.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &result) != 0;
}

// The clock line over a few seconds: the texts it showed, in order, each once.
std::vector<std::string> watch_clock_line(const Velquor& velquor) {
    std::vector<std::string> shown;
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < watch_clock_ms) {
        const std::string text = velquor.text(clock_line_id);
        if (shown.empty() || shown.back() != text) shown.push_back(text);
        Sleep(100);
    }
    return shown;
}

bool shows_a_recent_time(const std::string& clock_line) {
    for (int back = 0; back <= 3; ++back)
        if (clock_line == texts::clock_prefix + moment_text(local_time_in(-back))) return true;
    return false;
}

class HostileScheduleFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileScheduleFile, ShowsItsRowsKeepsTheClockRunningClosesOnEscAndLeavesItAlone) {
    const Made made = GetParam().make();
    clear_documents_folder();
    write_file(schedule_file_path(), made.bytes);
    TestFolder folder("hostile");

    const ULONGLONG started = GetTickCount64();
    Velquor velquor(folder);
    std::printf("%s: %zu bytes, %d rows, window shown after %llu ms\n", GetParam().name,
                made.bytes.size(), made.rows, GetTickCount64() - started);
    std::fflush(stdout);

    EXPECT_EQ(velquor.row_count(), made.rows);
    for (int row : rows_to_look_at(std::min(velquor.row_count(), made.rows))) {
        SCOPED_TRACE("row " + std::to_string(row));
        const Cells expected = made.row(row);
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(same_bytes(shown_cell(velquor, row, column, expected[column].size() + 64),
                                   expected[column]))
                << "column " << column;
    }

    EXPECT_TRUE(window_answers(velquor));
    const std::vector<std::string> clock = watch_clock_line(velquor);
    ASSERT_FALSE(clock.empty());
    EXPECT_GE(clock.size(), 2u) << "the clock line stood still at " << clock.back();
    EXPECT_TRUE(shows_a_recent_time(clock.back())) << clock.back();
    EXPECT_TRUE(window_answers(velquor));

    velquor.bring_to_front();
    press_key(VK_ESCAPE);
    EXPECT_EQ(velquor.wait_for_exit(60000), DWORD{0});
    const std::string after = read_file(schedule_file_path());
    EXPECT_TRUE(after == made.bytes) << "the file changed: " << made.bytes.size() << " bytes before, "
                                     << after.size() << " after";
    EXPECT_EQ(folder_names(documents_folder()), std::vector<std::string>{"Velquor.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Through, HostileScheduleFile, testing::ValuesIn(hostile_cases),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velquor::e2e
