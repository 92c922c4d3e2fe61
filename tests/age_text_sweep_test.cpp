// SPDX-License-Identifier: MIT
// Every text the age box can hold, checked for properties rather than values.
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/properties.h"

namespace vrenkodal {
namespace {

std::vector<std::string> Alphabet() {
    std::vector<std::string> letters;
    for (char c = 0x20; c < 0x7F; ++c) letters.emplace_back(1, c);
    for (const char* extra : {"\t", "\n", "\r", "а", "Б", "ъ", "я", "Ё", "№", "—", "٥"}) {
        letters.emplace_back(extra);
    }
    return letters;
}

// Texts of at most two characters from the alphabet, the empty one included.
std::vector<std::string> BoxTexts() {
    const auto letters = Alphabet();
    std::vector<std::string> texts = {""};
    for (const auto& first : letters) {
        texts.push_back(first);
        for (const auto& second : letters) texts.push_back(first + second);
    }
    return texts;
}

TEST(AgeBoxSweep, EveryTwoCharacterTextGivesAnAgeThatPrintsAndReadsBack) {
    for (const std::string& text : BoxTexts()) {
        SCOPED_TRACE("text \"" + text + "\"");
        ASSERT_EQ(properties::AgeProblem(text), "");
        const double age = ParseAge(text);
        // Two characters can spell nothing outside -9 .. 99, and nothing finer than a tenth,
        // so the printed age reads back exactly.
        ASSERT_TRUE(age >= -9 && age <= 99) << age;
        ASSERT_EQ(ParseAge(FormatAge(age)), age) << FormatAge(age);
    }
}

TEST(AgeBoxSweep, EveryReportIsTwoLabelledCrLfLines) {
    for (const std::string& text : BoxTexts()) {
        SCOPED_TRACE("text \"" + text + "\"");
        ASSERT_EQ(properties::ReportProblem(Report(text), text), "");
    }
}

TEST(AgeBoxSweep, EveryPairOfBytesGivesAFiniteAge) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const char bytes[] = {static_cast<char>(first), static_cast<char>(second)};
            const double age = ParseAge(std::string_view(bytes, 2));
            ASSERT_TRUE(age >= -9 && age <= 99) << first << " " << second << ": " << age;
        }
    }
}

}  // namespace
}  // namespace vrenkodal
