#include "ui/fatal_error.h"

#include <windows.h>

#include <string>

namespace velquor {

void fatal_error(std::string_view what) {
    const std::string text(what);
    MessageBoxA(nullptr, text.c_str(), "Velquor", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}

void fatal_missing_function(std::string_view function, std::string_view library) {
    std::string text = "The function ";
    text += function;
    text += " could not be found in ";
    text += library;
    text += ".";
    fatal_error(text);
}

}  // namespace velquor
