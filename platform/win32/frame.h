// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace platform {

// The window class of a frame: a container that draws an etched border with its caption on the
// border line. Unlike the system's group box it really holds its controls, so hiding it hides
// them. It asks its parent for its colours (WM_CTLCOLORSTATIC), and passes its children's
// notifications and colour questions up, so the window decides everything in one place.
const wchar_t* FrameClass(HINSTANCE instance);

}  // namespace platform
