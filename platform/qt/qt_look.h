#pragma once

namespace platform {

// The widget style the window is drawn with, for the whole application. Fusion paints button
// faces in their palette's colour on every system, so the green and red buttons stay so.
void UseProgramStyle();

}  // namespace platform
