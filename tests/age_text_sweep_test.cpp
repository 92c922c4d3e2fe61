// Every text the age box can hold, checked for properties rather than values.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "kind/age_text.h"
#include "kind/kind_of_years.h"
#include "kind/report.h"

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

// The kind by counting the bounds the age lies above: an independent reading of the ranges.
KindOfYears KindByBounds(double age) {
    int above = 0;
    for (const double bound : {30.0, 40.0, 50.0, 60.0}) above += age > bound;
    return static_cast<KindOfYears>(above);
}

TEST(AgeBoxSweep, EveryTwoCharacterTextGivesAnAgeThatPrintsAndReadsBack) {
    for (const std::string& text : BoxTexts()) {
        SCOPED_TRACE("text \"" + text + "\"");
        const double age = ParseAge(text);
        // Two characters can spell nothing outside -9 .. 99.
        ASSERT_TRUE(age >= -9 && age <= 99) << age;

        const std::string printed = FormatAge(age);
        ASSERT_EQ(ParseAge(printed), age) << printed;
        ASSERT_NE(printed, "-0");
        ASSERT_EQ(printed.find_first_not_of("-.0123456789"), std::string::npos) << printed;

        ASSERT_EQ(ClassifyAge(age), KindByBounds(age));
    }
}

TEST(AgeBoxSweep, EveryReportIsTwoLabelledCrLfLines) {
    for (const std::string& text : BoxTexts()) {
        SCOPED_TRACE("text \"" + text + "\"");
        const std::string report = Report(text);
        const auto first_end = report.find(kLineEnd);
        ASSERT_NE(first_end, std::string::npos);
        const std::string_view first = std::string_view(report).substr(0, first_end);
        const std::string_view second =
            std::string_view(report).substr(first_end + kLineEnd.size());

        ASSERT_EQ(first.substr(0, kAgeLabel.size()), kAgeLabel);
        ASSERT_EQ(first.substr(kAgeLabel.size()), FormatAge(ParseAge(text)));
        ASSERT_EQ(second.substr(0, kKindLabel.size()), kKindLabel);
        const std::string_view caption_and_end = second.substr(kKindLabel.size());
        ASSERT_GE(caption_and_end.size(), kLineEnd.size());
        ASSERT_EQ(caption_and_end.substr(caption_and_end.size() - kLineEnd.size()), kLineEnd);
        const std::string_view caption =
            caption_and_end.substr(0, caption_and_end.size() - kLineEnd.size());
        ASSERT_EQ(caption, Caption(KindByBounds(ParseAge(text))));
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
