// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "window/window_model.h"

namespace vrenkodal {

// The element indices of the two buttons of the Command1 array.
inline constexpr std::int16_t kShowButton = 0;   // "Изведи"
inline constexpr std::int16_t kClearButton = 1;  // "Чисти"

// What "Чисти" leaves in the report box.
inline constexpr std::string_view kPrompt = "Въведете възраст!";

// The one handler of both buttons: index 0 shows the kind, index 1 clears the entry, and any
// other index does nothing.
void Command1_Click(WindowModel& model, std::int16_t index);

// Shows the frame, selects the kind of the typed age and writes the two-line report in place
// of whatever the report box held. The age text stays as typed.
void ShowKind(WindowModel& model);

// Empties the age box, writes the prompt and hides the frame; the selection stays.
void ClearEntry(WindowModel& model);

}  // namespace vrenkodal
