// SPDX-License-Identifier: MIT
#pragma once

// The window as the page's own controls: labels, text boxes, buttons and a fieldset of radio
// buttons, each placed and coloured exactly as the description says. It is written into the
// page when the page is built, so the browser paints the window before the program has
// loaded; the program then only binds to these elements. Plain C++: it runs on the build
// machine.

#include <string>
#include <string_view>

#include "platform/form.h"

namespace platform::web {

// The id of a control's element: its name, and its index after an underscore when it belongs
// to a control array ("Text1_0").
std::string ElementId(ControlRef control);

// The id of the window's live region: a polite status, unseen, that tells screen readers what
// the program announces.
inline constexpr std::string_view kAnnouncementId = "announcement";

// The page's title: the window's caption, each blank after a blank made a no-break space,
// since a title collapses runs of blanks. Escaped for HTML.
std::string PageTitle(std::string_view caption);

// The style sheet and the markup of the window. Elements stand in the order of the keyboard
// focus, so that Tab follows the description without any tabindex; places in CSS pixels are
// twips / 15, a CSS pixel being 1/96 inch. The report is the text box the page writes its own
// message into where the program cannot start.
std::string WindowStyle(const Window& window);
std::string WindowMarkup(const Window& window, ControlRef report);

}  // namespace platform::web
