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

// The first visible top-level window of a process, or nullptr while it has none.
inline HWND VisibleWindowOf(DWORD process) {
    struct Search {
        DWORD process;
        HWND window;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->process || !IsWindowVisible(window)) return TRUE;
            search->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}
