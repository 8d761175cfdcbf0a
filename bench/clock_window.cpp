// The minimal window program plus what every tick of velquor.exe redraws: a
// date-time picker set to the current time and a static text showing it, both
// updated once a second by a timer re-armed just after each wall-clock second.
// It tells how much of velquor.exe's idle CPU any window with a live clock of
// seconds costs under Wine, whatever program shows it.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

namespace {

constexpr UINT_PTR tick_id = 1;
HWND picker = nullptr;
HWND clock_line = nullptr;

void arm_tick(HWND window) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    SetTimer(window, tick_id, 1000 - now.wMilliseconds + 5, nullptr);
}

void tick(HWND window) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&now));
    char text[64];
    // 当前：2019年3月11日11时19分43秒, as the clock line shows it.
    std::snprintf(text, sizeof text,
                  "\xB5\xB1\xC7\xB0\xA3\xBA%u\xC4\xEA%u\xD4\xC2%u\xC8\xD5%u\xCA\xB1%u\xB7\xD6%u\xC3\xEB",
                  now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    SetWindowTextA(clock_line, text);
    arm_tick(window);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: {
        const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
        picker = CreateWindowExA(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE,
                                 60, 350, 180, 20, window, nullptr, nullptr, nullptr);
        SendMessageA(picker, WM_SETFONT, font, FALSE);
        SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("yyyy-MM-dd HH:mm:ss"));
        clock_line = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP |
                                                          SS_CENTERIMAGE | SS_NOPREFIX,
                                     250, 350, 220, 20, window, nullptr, nullptr, nullptr);
        SendMessageA(clock_line, WM_SETFONT, font, FALSE);
        arm_tick(window);
        return 0;
    }
    case WM_TIMER:
        if (wparam == tick_id) tick(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, tick_id);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ClockWindow";
    if (!RegisterClassA(&wc)) return 1;
    const HWND window = CreateWindowA("ClockWindow", "Clock window",
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 454, 460, nullptr, nullptr,
                                      instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
