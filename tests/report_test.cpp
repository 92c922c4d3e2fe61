// SPDX-License-Identifier: MIT
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "kind/report.h"

namespace vrenkodal {
namespace {

// Counts UTF-8 characters, not bytes: the labels are specified by their length as shown.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

TEST(ReportLabels, HaveTheirBlankAfterTheColon) {
    EXPECT_EQ(CharacterCount(kAgeLabel), 17u);
    EXPECT_EQ(kAgeLabel.back(), ' ');
    EXPECT_EQ(CharacterCount(kKindLabel), 5u);
    EXPECT_EQ(kKindLabel.back(), ' ');
}

struct ReportRow {
    const char* name;
    std::string_view age_text;
    std::string_view expected;
};

class ReportTest : public testing::TestWithParam<ReportRow> {};

TEST_P(ReportTest, IsTwoLinesEachEndingInCrLf) {
    EXPECT_EQ(Report(GetParam().age_text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes,
    ReportTest,
    testing::Values(
        ReportRow{"human",
                  "25",
                  "\xD0\x92\xD1\x8A\xD0\xB2\xD0\xB5\xD0\xB4\xD0\xB5\xD0\xBD\xD0\xB8 "
                  "\xD0\xB3\xD0\xBE\xD0\xB4\xD0\xB8\xD0\xBD\xD0\xB8: 25\r\n"
                  "\xD1\x82\xD0\xB8\xD0\xBF: \xD0\xA7\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x88\xD0\xBA"
                  "\xD0\xB8\r\n"},
        ReportRow{"empty_text_reports_zero", "", "Въведени години: 0\r\nтип: Човешки\r\n"},
        ReportRow{"leading_zero_dropped", "07", "Въведени години: 7\r\nтип: Човешки\r\n"},
        ReportRow{"negative", "-5", "Въведени години: -5\r\nтип: Човешки\r\n"},
        ReportRow{"lone_minus_is_plain_zero", "-", "Въведени години: 0\r\nтип: Човешки\r\n"},
        ReportRow{"horse", "31", "Въведени години: 31\r\nтип: Конски\r\n"},
        ReportRow{"ox", "45", "Въведени години: 45\r\nтип: Волски\r\n"},
        ReportRow{"dog", "60", "Въведени години: 60\r\nтип: Кучешки\r\n"},
        ReportRow{"monkey", "61", "Въведени години: 61\r\nтип: Маймунски\r\n"},
        ReportRow{"fraction_echoed_with_point", ".5", "Въведени години: 0.5\r\nтип: Човешки\r\n"},
        ReportRow{"rest_of_text_not_echoed", "4x", "Въведени години: 4\r\nтип: Човешки\r\n"}),
    [](const testing::TestParamInfo<ReportRow>& info) { return info.param.name; });

}  // namespace
}  // namespace vrenkodal
