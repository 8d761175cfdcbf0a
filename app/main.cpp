#include <windows.h>

#include "app/run_program.h"

// The command line is not read.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return velquor::run_program(); }
