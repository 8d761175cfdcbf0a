#include "ui/help_box.h"

#include "ui/bound_function.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace velquor {
namespace {

constexpr int help_timeout_ms = 10000;
constexpr DWORD window_search_limit_ms = 31536000;
// What MessageBoxTimeout answers when its time ran out.
constexpr INT_PTR timed_out_answer = 32000;

using MessageBoxTimeoutA_t = int WINAPI(HWND, LPCSTR, LPCSTR, UINT, WORD, DWORD);

BoundFunction<decltype(GetCurrentProcessId)> get_current_process_id{"kernel32.dll",
                                                                     "GetCurrentProcessId"};
BoundFunction<decltype(FindWindowExA)> find_window_ex{"user32.dll", "FindWindowExA"};
BoundFunction<decltype(IsWindow)> is_window{"user32.dll", "IsWindow"};
BoundFunction<decltype(IsWindowVisible)> is_window_visible{"user32.dll", "IsWindowVisible"};
BoundFunction<decltype(GetWindowThreadProcessId)> get_window_thread_process_id{
    "user32.dll", "GetWindowThreadProcessId"};
BoundFunction<MessageBoxTimeoutA_t> message_box_timeout{"user32.dll", "MessageBoxTimeoutA"};

// Wine shows MessageBoxTimeoutA's box but never times it out, so the box is
// also closed from here: a hook catches the box as it is activated and a
// thread timer ends it when its time is up. Only one such box can be open,
// since its owner takes no input meanwhile.
struct TimedBox {
    HHOOK hook = nullptr;
    HWND box = nullptr;
    UINT_PTR timer = 0;
    int timeout_ms = 0;
};
TimedBox* open_box = nullptr;

void CALLBACK end_box_on_time(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (open_box && open_box->timer == timer) {
        open_box->timer = 0;
        if (IsWindow(open_box->box)) EndDialog(open_box->box, timed_out_answer);
    }
}

LRESULT CALLBACK catch_box(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && open_box && !open_box->box) {
        const HWND activated = reinterpret_cast<HWND>(wparam);
        char class_name[16] = {};
        GetClassNameA(activated, class_name, sizeof class_name);
        if (lstrcmpA(class_name, "#32770") == 0) {
            open_box->box = activated;
            open_box->timer = SetTimer(nullptr, 0, open_box->timeout_ms, end_box_on_time);
            UnhookWindowsHookEx(open_box->hook);
            open_box->hook = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void process_pending_events() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!translate_window_keys(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

HWND find_process_window(DWORD process_id) {
    const DWORD start = GetTickCount();
    HWND previous = nullptr;
    for (;;) {
        if (static_cast<LONG>(GetTickCount() - start) >= static_cast<LONG>(window_search_limit_ms))
            return nullptr;
        previous = find_window_ex(nullptr, previous, nullptr, nullptr);
        if (previous && is_window(previous) && is_window_visible(previous)) {
            DWORD owner_process = 0;
            get_window_thread_process_id(previous, &owner_process);
            if (owner_process == process_id) return previous;
        }
        process_pending_events();
    }
}

void show_timed_message_box(const std::string& text, UINT flags, const std::string& caption,
                            int timeout_ms) {
    const HWND owner = find_process_window(get_current_process_id());
    TimedBox timed{SetWindowsHookExA(WH_CBT, catch_box, nullptr, GetCurrentThreadId()), nullptr,
                   0, timeout_ms};
    open_box = &timed;
    message_box_timeout(owner, text.c_str(), caption.c_str(), flags, WORD{0},
                        static_cast<DWORD>(timeout_ms));
    if (timed.hook) UnhookWindowsHookEx(timed.hook);
    if (timed.timer) KillTimer(nullptr, timed.timer);
    open_box = nullptr;
}

void show_help() {
    show_timed_message_box(texts::help_text, MB_OK | MB_ICONINFORMATION, texts::help_caption,
                           help_timeout_ms);
}

}  // namespace velquor
