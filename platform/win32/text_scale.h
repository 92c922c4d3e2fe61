// SPDX-License-Identifier: MIT
#pragma once

// The user's text size: Settings → Accessibility → Text size ("Make text bigger"), Windows 10
// 1809 and later. Programs of the Windows Runtime follow it on their own; a classic Win32
// window must apply it itself, on top of the monitor's DPI.

namespace platform {

inline constexpr int kNormalTextScale = 100;  // percent
inline constexpr int kLargestTextScale = 225;

// The setting in percent, kNormalTextScale to kLargestTextScale; kNormalTextScale where
// Windows has none.
int TextScalePercent();

}  // namespace platform
