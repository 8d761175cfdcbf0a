// Errors the program cannot go on after: an error box, then exit code -1.
#pragma once

#include <string_view>

namespace velquor {

[[noreturn]] void fatal_error(std::string_view what);

// A platform function that could not be bound by name.
[[noreturn]] void fatal_missing_function(std::string_view function, std::string_view library);

}  // namespace velquor
