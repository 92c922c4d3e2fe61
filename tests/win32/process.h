// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <windows.h>

// Starts a program from its command line; false when it cannot be started.
inline bool Launch(std::wstring command, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr,
                          command.data(),
                          nullptr,
                          nullptr,
                          FALSE,
                          0,
                          nullptr,
                          nullptr,
                          &startup,
                          &process) != 0;
}

struct WindowSearch {
    DWORD process;
    HWND window;
};

// Named rather than a lambda: a lambda converts only to the default calling convention, and
// the 32-bit Windows calls its callbacks as stdcall.
inline BOOL CALLBACK TakeVisibleWindowOf(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window)) return TRUE;
    search->window = window;
    return FALSE;
}

// The first visible top-level window of a process, or nullptr while it has none.
inline HWND VisibleWindowOf(DWORD process) {
    WindowSearch search{process, nullptr};
    EnumWindows(TakeVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.window;
}
