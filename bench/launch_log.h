// The shell calls of a timing run: each launch is handed to the real
// velquor::launch_target, with the precise time read just before and just
// after the call written to a log, one line per call:
//     <UTC file time before> <UTC file time after> <target>
// File times count 100 ns from 1601-01-01.
#pragma once

#include <windows.h>

#include <string>

namespace velquor::bench {

unsigned long long precise_now();

class LaunchLog {
public:
    // Appends to the file at path; nothing is logged when it cannot be opened.
    explicit LaunchLog(const std::string& path);
    ~LaunchLog();
    LaunchLog(const LaunchLog&) = delete;
    LaunchLog& operator=(const LaunchLog&) = delete;

    void launch(const std::string& target);
    // Any other line, written as it is.
    void write_line(const std::string& line);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// The first argument of the command line, or empty.
std::string first_argument();

}  // namespace velquor::bench
