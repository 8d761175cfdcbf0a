// The window's frame, its controls and the dispatch of its messages.
#include "ui/main_window.h"

#include <commctrl.h>
#include <ole2.h>

#include <chrono>

#include "ui/control_ids.h"
#include "ui/drop_target.h"
#include "ui/texts.h"
#include "ui/tick_timer.h"

namespace velquor {
namespace {

constexpr int window_width = 454;
constexpr int window_height = 460;
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// One line, cut at the right edge, centred vertically, "&" shown as itself.
constexpr DWORD static_style = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE |
                               SS_NOPREFIX;

ATOM window_class = 0;

bool register_window_class(HINSTANCE instance, WNDPROC procedure) {
    if (window_class) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = texts::window_title;
    window_class = RegisterClassExA(&wc);
    return window_class != 0;
}

MainWindow* window_of(HWND hwnd) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool modifier_down() {
    return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

MainWindow::MainWindow(WindowPlatform platform) : platform_(std::move(platform)) {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

bool MainWindow::create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    if (!register_window_class(instance, procedure)) return false;
    // Centred on the whole primary screen, not its work area.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - window_width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - window_height) / 2;
    window_ = CreateWindowExA(0, texts::window_title, texts::window_title, window_style, left, top,
                              window_width, window_height, nullptr, nullptr, instance, this);
    if (!window_) return false;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(list_.handle());
    return true;
}

LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    MainWindow* self = window_of(hwnd);
    return self ? self->dispatch(message, wparam, lparam)
                : DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        build_controls();
        handle_window_created();
        return 0;
    case WM_TIMER:
        if (wparam == tick_timer_id) handle_tick();
        return 0;
    case WM_NOTIFY:
        return dispatch_notify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_NOTIFYFORMAT:
        return NFR_ANSI;
    case WM_COMMAND:
        dispatch_command(wparam, lparam);
        return 0;
    case WM_DESTROY:
        handle_destroyed();
        return 0;
    case WM_NCDESTROY: {
        const HWND destroyed = window_;
        SetWindowLongPtrA(destroyed, GWLP_USERDATA, 0);
        window_ = nullptr;
        return DefWindowProcA(destroyed, message, wparam, lparam);
    }
    }
    return DefWindowProcA(window_, message, wparam, lparam);
}

LRESULT MainWindow::dispatch_notify(const NMHDR& header) {
    if (!built_) return 0;
    if (header.hwndFrom == list_.handle()) {
        auto& info = *reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header));
        switch (header.code) {
        case NM_RCLICK:
            handle_list_right_click();
            return 0;
        case LVN_GETDISPINFOA:
            list_.supply_text(info);
            return 0;
        case LVN_BEGINLABELEDITA:
            list_.start_edit(info);
            return FALSE;
        case LVN_ENDLABELEDITA:
            return list_.finish_edit(info);
        case LVN_KEYDOWN:
            // The list control leaves F2 to its owner: it starts the same
            // in-place edit of the number cell as a second, slower click.
            if (reinterpret_cast<const NMLVKEYDOWN*>(&header)->wVKey == VK_F2 &&
                list_.selected_row() >= 0)
                SendMessageA(list_.handle(), LVM_EDITLABELA, list_.selected_row(), 0);
            return 0;
        }
    } else if (header.hwndFrom == picker_ && header.code == NM_SETFOCUS) {
        handle_picker_focus();
    }
    return 0;
}

void MainWindow::dispatch_command(WPARAM wparam, LPARAM lparam) {
    if (!built_) return;
    if (lparam == 0 && HIWORD(wparam) == 0) {
        handle_menu_command(LOWORD(wparam));
    } else if (reinterpret_cast<HWND>(lparam) == add_button_ && HIWORD(wparam) == BN_CLICKED) {
        handle_add_click();
    }
}

HWND MainWindow::add_control(DWORD ex_style, const char* kind, const char* text, DWORD style,
                             int left, int top, int width, int height, int id) {
    const HWND control = CreateWindowExA(ex_style, kind, text, style, left, top, width, height,
                                         window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

// Created in tab order: list, add button, path field, picker.
void MainWindow::build_controls() {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    list_ = ScheduleList(window_, table_, schedule_list_id);
    SendMessageA(list_.handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    add_button_ = add_control(0, "BUTTON", texts::add_button,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
                                  BS_VCENTER | BS_MULTILINE,
                              360, 380, 80, 25, add_button_id);
    path_field_ = add_control(0, "EDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT |
                                  ES_AUTOHSCROLL,
                              60, 380, 180, 25, path_field_id);
    SendMessageA(path_field_, EM_LIMITTEXT, 0, 0);
    picker_ = add_control(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 350, 180, 20, moment_picker_id);
    // The picker starts at the clock's time with its milliseconds; moments
    // are whole seconds.
    SYSTEMTIME created{};
    SendMessageA(picker_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&created));
    created.wMilliseconds = 0;
    SendMessageA(picker_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&created));
    clock_line_ = add_control(0, "STATIC", texts::clock_prefix, static_style, 250, 350, 220, 20,
                              clock_line_id);
    add_control(0, "STATIC", texts::path_label, static_style, 20, 377, 32, 32, path_label_id);
    add_control(0, "STATIC", texts::time_label, static_style, 18, 340, 32, 32, time_label_id);
    built_ = true;
    arm_tick_timer();
}

void MainWindow::arm_tick_timer() {
    SetTimer(window_, tick_timer_id,
             static_cast<UINT>(milliseconds_to_next_tick(std::chrono::system_clock::now())),
             nullptr);
}

bool translate_window_keys(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_ESCAPE && message.wParam != VK_TAB))
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOTOWNER);
    if (!root || static_cast<ATOM>(GetClassLongPtrA(root, GCW_ATOM)) != window_class) return false;
    MainWindow* self = window_of(root);
    return self && self->translate_key(message);
}

bool MainWindow::translate_key(const MSG& message) {
    if (message.wParam == VK_ESCAPE) {
        if (modifier_down()) return false;
        // No control takes Esc for itself, the in-place editor included.
        SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    move_focus(GetKeyState(VK_SHIFT) < 0);
    return true;
}

void MainWindow::move_focus(bool backward) {
    const HWND order[] = {list_.handle(), add_button_, path_field_, picker_};
    constexpr int count = 4;
    const HWND focus = GetFocus();
    int at = 0;
    for (int i = 0; i < count; ++i)
        if (order[i] == focus || IsChild(order[i], focus)) at = i;
    SetFocus(order[(at + (backward ? count - 1 : 1)) % count]);
}

}  // namespace velquor
