// SPDX-License-Identifier: MIT
#pragma once

// Sizes from twips at the DPI of the monitor a window is on. Functions newer than Windows 7
// are looked up at run time; where they are missing, the system DPI serves.

#include <windows.h>

#include "platform/form.h"

namespace platform {

inline constexpr int kDefaultDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

// Per-monitor aware (v2) where Windows offers it, else system aware. The manifest asks for the
// same; this covers a program started without it.
void BecomeDpiAware();

int DpiOf(HWND window);

inline int ToPixels(Twips twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

// The outer size of a window whose client area is the given size in pixels.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD ex_style, int dpi);

}  // namespace platform
