// The help command: a fixed text in a box owned by the program's window that
// closes itself after ten seconds.
#pragma once

#include <windows.h>

#include <string>

namespace velquor {

void show_help();

// The box's owner is looked up when it is shown; the answer is not used.
void show_timed_message_box(const std::string& text, UINT flags, const std::string& caption,
                            int timeout_ms);

// The first live, visible top-level window of the process in z-order, walking
// the windows pass after pass (and handling events between them) for up to a
// year; none after that.
HWND find_process_window(DWORD process_id);

// Dispatches what is waiting in the thread's queue; a quit request stays
// queued for the message loop.
void process_pending_events();

}  // namespace velquor
