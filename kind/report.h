// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vrenkodal {

inline constexpr std::string_view kAgeLabel = "Въведени години: ";
inline constexpr std::string_view kKindLabel = "тип: ";
// Every line the program writes ends the Windows way, as the report box expects.
inline constexpr std::string_view kLineEnd = "\r\n";

// "Въведени години: " + the age as FormatAge prints it + CR LF.
std::string ReportAgeLine(double age);

// "тип: " + the caption of the kind + CR LF.
std::string ReportKindLine(std::string_view kind_caption);

// Both lines for an age text, as the show command leaves them in the report box.
std::string Report(std::string_view age_text);

}  // namespace vrenkodal
