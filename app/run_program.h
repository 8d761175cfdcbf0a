#pragma once

namespace velquor {

// From the start of the process to the end of its message loop; the exit code.
int run_program();

}  // namespace velquor
