// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <windows.h>

namespace platform {

// The text or caption of a window, whole, in UTF-16 as Windows keeps it.
inline std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace platform
