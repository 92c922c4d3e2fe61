// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

namespace vrenkodal {

// The controls the commands read and write, by the names the window gives them.
inline constexpr platform::ControlRef kAgeBox{"Text2"};
inline constexpr platform::ControlRef kReportBox{"Text1", 0};
inline constexpr platform::ControlRef kKindFrame{"Frame1"};
inline constexpr std::string_view kOptionArray = "Option1";
inline constexpr std::string_view kButtonArray = "Command1";

constexpr platform::ControlRef OptionButton(int index) { return {kOptionArray, index}; }
constexpr platform::ControlRef CommandButton(int index) { return {kButtonArray, index}; }

// The one window of the program: its size, colours, font and every control, as data.
const platform::Window& MainWindow();

}  // namespace vrenkodal
