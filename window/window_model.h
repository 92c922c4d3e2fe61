// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>

#include "kind/kind_of_years.h"

namespace vrenkodal {

// Everything the commands read or write in the window. Texts are UTF-8 with CR LF line ends.
struct WindowModel {
    std::string age_text;
    std::string report_text;
    bool frame_shown = false;
    // The option buttons are one group: at most one is selected, and hiding the frame
    // keeps the selection.
    std::optional<KindOfYears> selected_kind;
    std::array<std::string, kAllKinds.size()> option_captions;

    bool operator==(const WindowModel&) const = default;
};

// The window as it opens: empty age box, the task statement, the frame hidden, nothing
// selected, and the options captioned with the kinds of years.
WindowModel InitialWindowModel();

}  // namespace vrenkodal
