// A platform function bound by name at its first call, so that the program
// starts where it is missing; failing to bind it then is fatal.
#pragma once

#include <windows.h>

#include "ui/fatal_error.h"

namespace velquor {

template <typename Signature>
class BoundFunction {
public:
    constexpr BoundFunction(const char* library, const char* name)
        : library_(library), name_(name) {}

    template <typename... Args>
    auto operator()(Args... args) {
        if (!function_) bind();
        return function_(args...);
    }

private:
    void bind() {
        HMODULE module = LoadLibraryA(library_);
        if (module)
            function_ = reinterpret_cast<Signature*>(
                reinterpret_cast<void*>(GetProcAddress(module, name_)));
        if (!function_) fatal_missing_function(name_, library_);
    }

    const char* library_;
    const char* name_;
    Signature* function_ = nullptr;
};

}  // namespace velquor
