// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include "platform/form.h"

namespace platform {

// The font the window's description names, or where the system lacks it a serif stand-in
// with the same metrics if there is one: the first of them the system has, so that the family
// named is the one text is drawn in.
QFont ToQFont(const Font& font);

// Whether a font from ToQFont draws in the design's family or a face with exactly its metrics,
// so that every caption fits as designed without being measured.
bool HasDesignMetrics(const QFont& font);

// The widget style the window is drawn with, for the whole application: Fusion, the same on
// every system, with push buttons whose faces are exactly their colours.
void UseProgramStyle();

}  // namespace platform
