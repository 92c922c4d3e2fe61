// SPDX-License-Identifier: MIT
#pragma once

namespace platform {

// The widget style the window is drawn with, for the whole application: Fusion, the same on
// every system, with push buttons whose faces are exactly their colours.
void UseProgramStyle();

}  // namespace platform
