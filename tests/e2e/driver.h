// Drives the real velquor.exe from a test process as a user would: real
// mouse and key input, and reading what the window shows from outside.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace velquor::e2e {

// Whether there is an X display and the code page is 936. Without either
// every test would fail for a reason that has nothing to do with the program,
// so the test program says why on stderr, under its name, and stops at once.
bool environment_ready(const char* test_program);

// Polls until the condition holds; false when the time ran out first.
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms);

// ---- Files ------------------------------------------------------------------

std::string documents_folder();
std::string schedule_file_path();
// The whole file; nothing for a missing file.
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
// The names of the folder's entries, sorted, without "." and "..".
std::vector<std::string> folder_names(const std::string& folder);
// Removes the schedule file and its leftovers, whatever their attributes.
void clear_documents_folder();

SYSTEMTIME calendar_time(int year, int month, int day, int hour, int minute, int second);
// Whether the two times are less than two seconds apart.
bool close_in_time(const SYSTEMTIME& a, const SYSTEMTIME& b);
// The time moved by the given seconds.
SYSTEMTIME moved(const SYSTEMTIME& time, int seconds);
// The local time now, whole seconds, moved by the given seconds.
SYSTEMTIME local_time_in(int seconds);
// The start of that local second as a UTC file time, in 100 ns units.
unsigned long long utc_ticks_of(const SYSTEMTIME& local);
// "2019年3月11日9时5分": the text in which the program writes a moment.
std::string moment_text(const SYSTEMTIME& time);

// ---- The program under test -----------------------------------------------

struct Launch {
    std::string name;
    unsigned long long utc_ticks;
};

// A folder of its own per test on C:, holding a copy of velquor.exe and the
// markers that rows launch.
class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    const std::string& path() const { return path_; }
    std::string velquor_exe() const { return path_ + "\\velquor.exe"; }
    // Copies the marker under this name ("marker_a") and gives its full path.
    std::string add_marker(const std::string& name);
    std::vector<Launch> launches() const;
    int launch_count(const std::string& marker_name) const;

private:
    std::string path_;
};

// Memory inside another process, for messages whose arguments are pointers:
// Wine, like Windows, passes those across processes unchanged.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* address() const { return static_cast<char*>(address_); }
    void write(const void* bytes, std::size_t size, std::size_t offset = 0) const;
    void read(void* bytes, std::size_t size, std::size_t offset = 0) const;

private:
    HANDLE process_;
    void* address_;
};

struct Column {
    std::string title;
    int width;
    int format;
};

struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
};

class Velquor {
public:
    // Starts the copy in the folder, from another working folder, and waits
    // for its window to be shown.
    explicit Velquor(const TestFolder& folder);
    ~Velquor();
    Velquor(const Velquor&) = delete;
    Velquor& operator=(const Velquor&) = delete;

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    DWORD process_id() const { return process_id_; }
    bool running() const;
    // The exit code once the process has ended within the time; STILL_ACTIVE otherwise.
    DWORD wait_for_exit(DWORD timeout_ms) const;

    std::string text(int control_id) const;
    // A control's rectangle in the main window's client coordinates.
    RECT client_rect_of(int control_id) const;
    // A point given in a control's client coordinates, on the screen.
    POINT screen_point(int control_id, int x, int y) const;

    int row_count() const;
    std::string cell(int row, int column) const;
    std::vector<std::array<std::string, 3>> rows() const;
    Column column(int index) const;
    int selected_row() const;
    // The row's rectangle in the list's client coordinates.
    RECT row_rect(int row) const;
    DWORD list_extended_style() const;

    SYSTEMTIME picker_time() const;
    void set_picker_time(const SYSTEMTIME& time) const;

    // Top-level windows of the program's process of the given class, shown.
    std::vector<HWND> windows_of_class(const char* class_name) const;
    // The first message box that shows within the time; none when none does.
    Box wait_for_box(DWORD timeout_ms) const;
    // The popup menu that shows within the time.
    HWND wait_for_menu(DWORD timeout_ms) const;

    // Makes the window the foreground window, so that keys reach it.
    void bring_to_front() const;
    // What a user does to add a row: clicks into the picker and sets its
    // value, clicks into the path field and replaces its text by typing,
    // clicks the add button. Returns when the row is shown.
    void add_row_by_hand(const SYSTEMTIME& moment, const std::wstring& path) const;
    // Right-clicks at the point of the list and chooses the entry of the
    // context menu with a click (0 is the first entry).
    void choose_from_context_menu(POINT list_point, int entry) const;

    // Sends a message whose argument points to a T: the T lives in the
    // program's memory for the call, and its contents afterwards are returned.
    template <typename T>
    T remote_call(HWND control, UINT message, WPARAM wparam, const T& in,
                  LRESULT* result = nullptr) const {
        RemoteBuffer buffer(process_, sizeof(T));
        buffer.write(&in, sizeof(T));
        const LRESULT answer = SendMessageA(control, message, wparam,
                                            reinterpret_cast<LPARAM>(buffer.address()));
        if (result) *result = answer;
        T out{};
        buffer.read(&out, sizeof(T));
        return out;
    }

private:
    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
    HWND window_ = nullptr;
};

// ---- Real input -----------------------------------------------------------

void move_pointer(POINT at);
void click(POINT at);
void right_click(POINT at);
// Presses the left button at one point and lets it go at another.
void drag_with_button(POINT from, POINT to);
void press_key(WORD virtual_key);
// The key while the modifier (VK_SHIFT, VK_CONTROL, VK_MENU) is held down.
void press_chord(WORD modifier, WORD virtual_key);
// Typed as characters, Chinese ones included, through the keyboard input path.
void type_text(const std::wstring& text);

// ---- What the screen shows --------------------------------------------------

// Which of the stock message-box icons the box shows: "information",
// "warning", "error", "question", or "" when none of them matches.
std::string shown_icon(HWND box);
// The screen's pixels in the rectangle, row by row, four bytes each.
std::string screen_pixels(const RECT& area);
// The screen's pixels in the rectangle, as a 24-bit BMP file.
void save_screen_bmp(const RECT& area, const std::string& path);

}  // namespace velquor::e2e
