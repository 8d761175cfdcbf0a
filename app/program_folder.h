// The folder of the program's own file, which becomes the working directory so
// that relative targets are found there first.
#pragma once

#include <string>
#include <string_view>

namespace velquor {

// The path cut before its last backslash, found by a scan that steps over the
// two-byte characters of the ANSI code page (their second byte can be 0x5C);
// empty when the path holds no backslash.
std::string folder_of_path(std::string_view path);

// The full path of the program's file, however long.
std::string program_file_path();

}  // namespace velquor
