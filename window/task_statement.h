// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vrenkodal {

// What the report box holds when the window opens: the fable, the animals' parts in it, the
// exercise, and what the program is asked to do. Each paragraph ends with CR LF.
inline constexpr std::string_view kTaskStatement =
    "Според една притча годините на човека до 30 са човешки, а всяко следващо десетилетие "
    "е свързано с животно: кон 30-40; вол 40-50, куче 50-60; маймуна 60-70.\r\n"
    "В конските години човек тича като кон, във волските работи като вол, в кучешките пази "
    "придобитото като куче, а в маймунските се държи странно и другите му се смеят.\r\n"
    "Задачата е проект, който свързва физическото възпитание с информатиката.\r\n"
    "За въведено естествено двуцифрено число проектът трябва да покаже какъв вид са "
    "годините на човек на тази възраст.\r\n";

}  // namespace vrenkodal
