#include "tests/e2e/driver.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "ui/control_ids.h"
#include "ui/texts.h"

namespace velquor::e2e {
namespace {

constexpr DWORD poll_pause_ms = 10;
// The first start in a fresh prefix loads much of Wine.
constexpr DWORD window_timeout_ms = 60000;
constexpr DWORD foreground_timeout_ms = 5000;
constexpr DWORD input_settle_ms = 30;
constexpr int remote_text_size = 1024;
constexpr const char* test_root = "C:\\velquor-e2e";

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

// CMake gives the built programs as Unix paths; Wine's Z: drive is the Unix root.
std::string windows_path_of(std::string unix_path) {
    std::replace(unix_path.begin(), unix_path.end(), '/', '\\');
    return "Z:" + unix_path;
}

void remove_folder_tree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_folder_tree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

unsigned long long ticks_of(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME file_time_of(unsigned long long ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

struct WindowSearch {
    DWORD process_id;
    const char* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner == search.process_id && IsWindowVisible(window) &&
        lstrcmpA(class_name, search.class_name) == 0)
        search.found.push_back(window);
    return TRUE;
}

std::string window_text(HWND window) {
    char text[remote_text_size] = {};
    // WM_GETTEXT, unlike the list's and the picker's messages, is carried
    // across processes by the system itself.
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void send_inputs(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) fail("SendInput took only part of the input");
    Sleep(input_settle_ms);
}

INPUT mouse_button(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT key(WORD virtual_key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // top-down rows of B, G, R, unused
};

Capture capture(HDC source, int left, int top, int width, int height) {
    Capture image{width, height, std::vector<unsigned char>(std::size_t(width) * height * 4)};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(source);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<unsigned char*>(bits), image.pixels.size(), image.pixels.begin());
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return image;
}

Capture capture_screen(const RECT& area) {
    const HDC screen = GetDC(nullptr);
    Capture image = capture(screen, area.left, area.top, area.right - area.left,
                            area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return image;
}

// The icon as the box draws it: over the box's own background.
Capture render_icon(HICON icon, int width, int height, COLORREF background) {
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    Capture image = capture(memory, 0, 0, width, height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

bool same_pixels(const Capture& a, const Capture& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (std::size_t i = 0; i < a.pixels.size(); i += 4)
        if (!std::equal(&a.pixels[i], &a.pixels[i] + 3, &b.pixels[i])) return false;
    return true;
}

}  // namespace

bool environment_ready(const char* test_program) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "%s: DISPLAY is not set; start Xvfb and export DISPLAY.\n",
                     test_program);
        return false;
    }
    if (GetACP() != 936) {
        std::fprintf(stderr, "%s: the ANSI code page is %u, not 936; run under LC_ALL=zh_CN.UTF-8.\n",
                     test_program, GetACP());
        return false;
    }
    return true;
}

bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() - start >= timeout_ms) return condition();
        Sleep(poll_pause_ms);
    }
}

// ---- Files ------------------------------------------------------------------

std::string documents_folder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE))
        fail("the prefix has no documents folder");
    return path;
}

std::string schedule_file_path() { return documents_folder() + "\\Velquor.ini"; }

std::string read_file(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot write " + path);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) fail("short write to " + path);
}

bool file_exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> folder_names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void clear_documents_folder() {
    for (const std::string& name : folder_names(documents_folder())) {
        const std::string path = documents_folder() + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

SYSTEMTIME calendar_time(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    FILETIME with_weekday;
    SystemTimeToFileTime(&time, &with_weekday);
    FileTimeToSystemTime(&with_weekday, &time);
    return time;
}

bool close_in_time(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    FILETIME fa, fb;
    SYSTEMTIME wa = a, wb = b;
    wa.wMilliseconds = wb.wMilliseconds = 0;
    if (!SystemTimeToFileTime(&wa, &fa) || !SystemTimeToFileTime(&wb, &fb)) return false;
    const long long apart = static_cast<long long>(ticks_of(fa) - ticks_of(fb));
    return apart > -20000000LL && apart < 20000000LL;
}

SYSTEMTIME moved(const SYSTEMTIME& time, int seconds) {
    FILETIME as_file_time;
    SystemTimeToFileTime(&time, &as_file_time);
    const FILETIME later =
        file_time_of(ticks_of(as_file_time) + static_cast<long long>(seconds) * 10000000LL);
    SYSTEMTIME result;
    FileTimeToSystemTime(&later, &result);
    return result;
}

SYSTEMTIME local_time_in(int seconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return moved(now, seconds);
}

unsigned long long utc_ticks_of(const SYSTEMTIME& local) {
    SYSTEMTIME whole = local;
    whole.wMilliseconds = 0;
    FILETIME local_file_time, utc;
    SystemTimeToFileTime(&whole, &local_file_time);
    LocalFileTimeToFileTime(&local_file_time, &utc);
    return ticks_of(utc);
}

std::string moment_text(const SYSTEMTIME& t) {
    char text[64];
    // 年 月 日
    int length = std::snprintf(text, sizeof text, "%u\xC4\xEA%u\xD4\xC2%u\xC8\xD5", t.wYear,
                               t.wMonth, t.wDay);
    // 时 分 秒; the time fields that are zero at the end are left out.
    if (t.wSecond != 0)
        std::snprintf(text + length, sizeof text - length, "%u\xCA\xB1%u\xB7\xD6%u\xC3\xEB",
                      t.wHour, t.wMinute, t.wSecond);
    else if (t.wMinute != 0)
        std::snprintf(text + length, sizeof text - length, "%u\xCA\xB1%u\xB7\xD6", t.wHour,
                      t.wMinute);
    else if (t.wHour != 0)
        std::snprintf(text + length, sizeof text - length, "%u\xCA\xB1", t.wHour);
    return text;
}

// ---- Test folder ----------------------------------------------------------

TestFolder::TestFolder(const std::string& name) : path_(std::string(test_root) + "\\" + name) {
    CreateDirectoryA(test_root, nullptr);
    remove_folder_tree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) fail("cannot make " + path_);
    if (!CopyFileA(windows_path_of(VELQUOR_EXE).c_str(), velquor_exe().c_str(), FALSE))
        fail("cannot copy velquor.exe from " + windows_path_of(VELQUOR_EXE));
}

std::string TestFolder::add_marker(const std::string& name) {
    const std::string path = path_ + "\\" + name + ".exe";
    if (!CopyFileA(windows_path_of(MARKER_EXE).c_str(), path.c_str(), FALSE))
        fail("cannot copy marker.exe to " + path);
    return path;
}

std::vector<Launch> TestFolder::launches() const {
    std::vector<Launch> found;
    std::istringstream lines(read_file(path_ + "\\markers.log"));
    std::string name;
    unsigned long long ticks;
    while (lines >> name >> ticks) {
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0)
            name.resize(name.size() - 4);
        found.push_back({name, ticks});
    }
    return found;
}

int TestFolder::launch_count(const std::string& marker_name) const {
    const std::vector<Launch> all = launches();
    return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const Launch& launch) {
        return launch.name == marker_name;
    }));
}

// ---- Remote memory ----------------------------------------------------------

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (!address_) fail("VirtualAllocEx failed");
}

RemoteBuffer::~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

void RemoteBuffer::write(const void* bytes, std::size_t size, std::size_t offset) const {
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_, address() + offset, bytes, size, &done) || done != size)
        fail("WriteProcessMemory failed");
}

void RemoteBuffer::read(void* bytes, std::size_t size, std::size_t offset) const {
    SIZE_T done = 0;
    if (!ReadProcessMemory(process_, address() + offset, bytes, size, &done) || done != size)
        fail("ReadProcessMemory failed");
}

// ---- The program ------------------------------------------------------------

Velquor::Velquor(const TestFolder& folder) {
    std::string command_line = folder.velquor_exe();
    command_line.insert(command_line.begin(), '"');
    command_line += '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Started from elsewhere: the program must find its way on its own.
    if (!CreateProcessA(folder.velquor_exe().c_str(), command_line.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, "C:\\", &startup, &info))
        fail("cannot start " + folder.velquor_exe());
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    process_id_ = info.dwProcessId;
    const bool shown = wait_until([&] {
        const std::vector<HWND> found = windows_of_class(texts::window_title);
        if (!found.empty()) window_ = found.front();
        return window_ != nullptr || !running();
    }, window_timeout_ms);
    if (!shown || !window_) fail("the main window did not show");
}

Velquor::~Velquor() {
    if (running()) TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
}

bool Velquor::running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD Velquor::wait_for_exit(DWORD timeout_ms) const {
    if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::string Velquor::text(int control_id) const { return window_text(control(control_id)); }

RECT Velquor::client_rect_of(int control_id) const {
    RECT rect{};
    GetWindowRect(control(control_id), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT Velquor::screen_point(int control_id, int x, int y) const {
    POINT point{x, y};
    ClientToScreen(control(control_id), &point);
    return point;
}

int Velquor::row_count() const {
    return static_cast<int>(SendMessageA(control(schedule_list_id), LVM_GETITEMCOUNT, 0, 0));
}

std::string Velquor::cell(int row, int column) const {
    RemoteBuffer buffer(process_, sizeof(LVITEMA) + remote_text_size);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.address() + sizeof(LVITEMA);
    item.cchTextMax = remote_text_size;
    buffer.write(&item, sizeof item);
    const LRESULT length = SendMessageA(control(schedule_list_id), LVM_GETITEMTEXTA, row,
                                        reinterpret_cast<LPARAM>(buffer.address()));
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)), '\0');
    buffer.read(text.data(), text.size(), sizeof(LVITEMA));
    return text;
}

std::vector<std::array<std::string, 3>> Velquor::rows() const {
    std::vector<std::array<std::string, 3>> all;
    for (int row = 0, count = row_count(); row < count; ++row)
        all.push_back({cell(row, 0), cell(row, 1), cell(row, 2)});
    return all;
}

Column Velquor::column(int index) const {
    RemoteBuffer buffer(process_, sizeof(LVCOLUMNA) + remote_text_size);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = buffer.address() + sizeof(LVCOLUMNA);
    column.cchTextMax = remote_text_size;
    buffer.write(&column, sizeof column);
    if (!SendMessageA(control(schedule_list_id), LVM_GETCOLUMNA, index,
                      reinterpret_cast<LPARAM>(buffer.address())))
        fail("no column " + std::to_string(index));
    buffer.read(&column, sizeof column);
    char title[remote_text_size] = {};
    buffer.read(title, sizeof title - 1, sizeof(LVCOLUMNA));
    return {title, column.cx, column.fmt};
}

int Velquor::selected_row() const {
    return static_cast<int>(SendMessageA(control(schedule_list_id), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

RECT Velquor::row_rect(int row) const {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    return remote_call(control(schedule_list_id), LVM_GETITEMRECT, row, rect);
}

DWORD Velquor::list_extended_style() const {
    return static_cast<DWORD>(
        SendMessageA(control(schedule_list_id), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

SYSTEMTIME Velquor::picker_time() const {
    return remote_call(control(moment_picker_id), DTM_GETSYSTEMTIME, 0, SYSTEMTIME{});
}

void Velquor::set_picker_time(const SYSTEMTIME& time) const {
    LRESULT accepted = 0;
    remote_call(control(moment_picker_id), DTM_SETSYSTEMTIME, GDT_VALID, time, &accepted);
    if (!accepted) fail("the picker refused the time");
}

std::vector<HWND> Velquor::windows_of_class(const char* class_name) const {
    WindowSearch search{process_id_, class_name, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Box Velquor::wait_for_box(DWORD timeout_ms) const {
    Box box;
    wait_until([&] {
        const std::vector<HWND> found = windows_of_class("#32770");
        if (!found.empty()) box.window = found.front();
        return box.window != nullptr;
    }, timeout_ms);
    if (!box.window) return box;
    // The box fills in its texts as it is built; they are complete once it
    // takes input.
    Sleep(100);
    box.caption = window_text(box.window);
    box.text = window_text(GetDlgItem(box.window, 0xFFFF));
    box.owner = GetWindow(box.window, GW_OWNER);
    return box;
}

HWND Velquor::wait_for_menu(DWORD timeout_ms) const {
    HWND menu = nullptr;
    wait_until([&] {
        const std::vector<HWND> found = windows_of_class("#32768");
        if (!found.empty()) menu = found.front();
        return menu != nullptr;
    }, timeout_ms);
    return menu;
}

void Velquor::bring_to_front() const {
    SetForegroundWindow(window_);
    if (!wait_until([&] { return GetForegroundWindow() == window_; }, foreground_timeout_ms))
        fail("the main window did not come to the front");
}

void Velquor::add_row_by_hand(const SYSTEMTIME& moment, const std::wstring& path) const {
    const int rows_before = row_count();
    click(screen_point(moment_picker_id, 30, 10));
    set_picker_time(moment);
    click(screen_point(path_field_id, 20, 12));
    press_key(VK_END);
    press_chord(VK_SHIFT, VK_HOME);
    if (path.empty())
        press_key(VK_DELETE);
    else
        type_text(path);
    const RECT button = client_rect_of(add_button_id);
    click(screen_point(add_button_id, (button.right - button.left) / 2,
                       (button.bottom - button.top) / 2));
    if (!wait_until([&] { return row_count() == rows_before + 1; }, 5000))
        fail("the add button added no row");
}

void Velquor::choose_from_context_menu(POINT list_point, int entry) const {
    ClientToScreen(control(schedule_list_id), &list_point);
    right_click(list_point);
    const HWND menu = wait_for_menu(5000);
    if (!menu) fail("the context menu did not show");
    RECT frame{};
    GetWindowRect(menu, &frame);
    // Five entries of one height, no separators: the middle of the entry's
    // fifth of the menu lies well inside the entry.
    const int height = frame.bottom - frame.top;
    const POINT at{(frame.left + frame.right) / 2, frame.top + height * (2 * entry + 1) / 10};
    move_pointer(at);
    click(at);
    if (!wait_until([&] { return windows_of_class("#32768").empty(); }, 5000))
        fail("the context menu did not close");
}

// ---- Real input -----------------------------------------------------------

void move_pointer(POINT at) {
    SetCursorPos(at.x, at.y);
    // An absolute move as well, so that the window under the pointer hears of it.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send_inputs({input});
    POINT now{};
    GetCursorPos(&now);
    if (now.x != at.x || now.y != at.y) {
        SetCursorPos(at.x, at.y);
        GetCursorPos(&now);
        if (now.x != at.x || now.y != at.y)
            fail("the pointer did not move to " + std::to_string(at.x) + "," +
                 std::to_string(at.y));
    }
}

void click(POINT at) {
    move_pointer(at);
    send_inputs({mouse_button(MOUSEEVENTF_LEFTDOWN), mouse_button(MOUSEEVENTF_LEFTUP)});
}

void right_click(POINT at) {
    move_pointer(at);
    send_inputs({mouse_button(MOUSEEVENTF_RIGHTDOWN), mouse_button(MOUSEEVENTF_RIGHTUP)});
}

void drag_with_button(POINT from, POINT to) {
    move_pointer(from);
    send_inputs({mouse_button(MOUSEEVENTF_LEFTDOWN)});
    for (int step = 1; step <= 4; ++step)
        move_pointer({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    send_inputs({mouse_button(MOUSEEVENTF_LEFTUP)});
}

void press_key(WORD virtual_key) { send_inputs({key(virtual_key, false), key(virtual_key, true)}); }

void press_chord(WORD modifier, WORD virtual_key) {
    send_inputs({key(modifier, false), key(virtual_key, false), key(virtual_key, true),
                 key(modifier, true)});
}

void type_text(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = c;
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        send_inputs({down, up});
    }
}

// ---- The screen -------------------------------------------------------------

std::string shown_icon(HWND box) {
    // The message box's icon control.
    const HWND icon_control = GetDlgItem(box, 0x0440);
    if (!icon_control) return "";
    RECT area{};
    GetWindowRect(icon_control, &area);
    const Capture shown = capture_screen(area);
    if (shown.pixels.empty()) return "";
    const COLORREF background =
        RGB(shown.pixels[2], shown.pixels[1], shown.pixels[0]);
    const struct {
        const char* name;
        LPCSTR id;
    } stock[] = {{"information", reinterpret_cast<LPCSTR>(IDI_ASTERISK)},
                 {"warning", reinterpret_cast<LPCSTR>(IDI_EXCLAMATION)},
                 {"error", reinterpret_cast<LPCSTR>(IDI_HAND)},
                 {"question", reinterpret_cast<LPCSTR>(IDI_QUESTION)}};
    for (const auto& candidate : stock) {
        const HICON icon = LoadIconA(nullptr, candidate.id);
        if (same_pixels(shown, render_icon(icon, shown.width, shown.height, background)))
            return candidate.name;
    }
    return "";
}

std::string screen_pixels(const RECT& area) {
    const Capture image = capture_screen(area);
    return std::string(image.pixels.begin(), image.pixels.end());
}

void save_screen_bmp(const RECT& area, const std::string& path) {
    const Capture image = capture_screen(area);
    const int row_size = (image.width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up, as most readers expect
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(row_size * image.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(row_size), '\0');
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c)
                row[std::size_t(x) * 3 + c] =
                    static_cast<char>(image.pixels[(std::size_t(y) * image.width + x) * 4 + c]);
        bytes += row;
    }
    write_file(path, bytes);
}

}  // namespace velquor::e2e
