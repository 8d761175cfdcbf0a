// Move-only owners of the Win32 handles that must be released: a copy would
// release twice.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace velquor {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct MenuDestroyer {
    void operator()(HMENU m) const { DestroyMenu(m); }
};
struct ComReleaser {
    void operator()(IUnknown* p) const { p->Release(); }
};

// A kernel handle; INVALID_HANDLE_VALUE is taken as none.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    HANDLE get() const { return h_.get(); }
    explicit operator bool() const { return h_ != nullptr; }
    // Closes now and tells whether that worked.
    bool close() { return h_ ? CloseHandle(h_.release()) != 0 : true; }

private:
    std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser> h_;
};

using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

template <typename T>
using ComRef = std::unique_ptr<T, ComReleaser>;

// OLE for the GUI thread, for the drop target and the shell; uninitialised
// once, at the end of the run, when this run initialised it.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

}  // namespace velquor
