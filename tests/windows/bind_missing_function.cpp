// Calls a function that user32.dll does not have, bound by name as the help
// box binds its functions: the program must end with the fatal error box.
#include <windows.h>

#include "ui/bound_function.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    velquor::BoundFunction<int WINAPI(HWND)> missing{"user32.dll", "NoSuchFunctionA"};
    missing(nullptr);
    return 0;
}
