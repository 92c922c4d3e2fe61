// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include <windows.h>

namespace platform {

// Whether the user has asked Windows for high contrast, when the window should draw
// everything in the system's colours instead of its own.
bool HighContrastOn();

// Wine always answers "off" and cannot be told otherwise: there the tests say it instead.
void OverrideHighContrast(std::optional<bool> on);

}  // namespace platform
