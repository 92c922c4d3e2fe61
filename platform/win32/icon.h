// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include <windows.h>

namespace platform {

// The window's icon from the lines of its XPM image, with transparency where the image has
// "None". Returns nullptr for an image it cannot read; the window then has the system's icon.
HICON IconFromXpm(std::span<const char* const> xpm);

}  // namespace platform
