// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace platform {

// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers show only to programs for Windows 8 and
// later; this one starts on Windows 7 too.
inline constexpr DWORD kLiveRegionChanged = 0x8019;

// Marks the control a polite live region: Narrator and NVDA say what it holds when told it
// changed, without moving the focus. False where the system offers no accessibility property
// service. Windows 7 takes the mark but knows no live regions: there the program is silent.
bool MarkLiveRegion(HWND control);

// Tells screen readers that the live region's contents are worth saying now.
void RaiseLiveRegionChanged(HWND control);

}  // namespace platform
