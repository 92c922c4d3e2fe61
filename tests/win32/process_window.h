// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

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
