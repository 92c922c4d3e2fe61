// SPDX-License-Identifier: MIT
#include "platform/win32/dpi.h"

#include "platform/win32/late_bound.h"

namespace platform {

namespace {

// The declarations of Windows 10 that the Windows 7 headers leave out.
using DpiAwarenessContext = HANDLE;
const auto kPerMonitorAwareV2 = reinterpret_cast<DpiAwarenessContext>(-4);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(DpiAwarenessContext);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32(const char* name) {
    return LateBound<Function>(L"user32.dll", name);
}

}  // namespace

void BecomeDpiAware() {
    if (const auto set = User32<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
        if (set(kPerMonitorAwareV2)) return;
        // Refused when the manifest has already chosen; that choice stands.
        if (GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    SetProcessDPIAware();
}

int DpiOf(HWND window) {
    if (const auto get = User32<GetDpiForWindowFn>("GetDpiForWindow")) {
        if (const UINT dpi = get(window)) return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD ex_style, int dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    const auto adjust = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace platform
