// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <windows.h>

namespace platform {

// Gives a control the name a screen reader announces (MSAA, and UI Automation through it),
// for a text box that Windows would otherwise name by its contents or not at all. The
// accessibility libraries load only when a screen reader first asks.
void SetAccessibleName(HWND control, std::wstring name);

}  // namespace platform
