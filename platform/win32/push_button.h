// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace platform {

// Paints an owner-drawn push button: a flat face in exactly its colour, a raised 3-D edge that
// sinks while pressed, the caption centred, and a focus rectangle when focused. The system's
// button would shade the face, and the face colour is part of the window's look.
void PaintPushButton(const DRAWITEMSTRUCT& item, COLORREF face);

// An owner-drawn button takes the second click of a double click as a "double-click"
// notification, without focus or pressed look; this makes it a second press, as on a system
// push button.
void PressOnEveryClick(HWND button);

}  // namespace platform
