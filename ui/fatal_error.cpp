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
    std::string text;
    for (const std::string_view part : {std::string_view("The function "), function,
                                        std::string_view(" could not be found in "), library,
                                        std::string_view(".")})
        text.append(part);
    fatal_error(text);
}

}  // namespace velquor
