// SPDX-License-Identifier: MIT
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "kind/age_text.h"

namespace vrenkodal {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct ParseRow {
    const char* name;
    std::string text;
    double expected;
};

class ParseAgeTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseAgeTest, ReadsTheNumberAtTheStart) {
    const double age = ParseAge(GetParam().text);
    EXPECT_EQ(age, GetParam().expected) << "text \"" << GetParam().text << "\"";
    EXPECT_EQ(std::signbit(age), std::signbit(GetParam().expected)) << "sign of zero";
}

INSTANTIATE_TEST_SUITE_P(
    Rules,
    ParseAgeTest,
    testing::Values(
        ParseRow{"two_digits", "25", 25},
        ParseRow{"leading_zero", "07", 7},
        ParseRow{"negative", "-5", -5},
        ParseRow{"plus_sign", "+5", 5},
        ParseRow{"decimal_point", "30.5", 30.5},
        ParseRow{"point_first", ".5", 0.5},
        ParseRow{"point_last", "5.", 5},
        ParseRow{"second_point_stops", "1.2.3", 1.2},
        ParseRow{"comma_is_not_a_decimal_point", "3,5", 3},
        ParseRow{"rest_after_number_ignored", "4x", 4},
        ParseRow{"trailing_sign_ignored", "5-", 5},
        ParseRow{"letter_first_gives_zero", "x4", 0},
        ParseRow{"cyrillic_first_gives_zero", "а5", 0},
        ParseRow{"empty_gives_zero", "", 0},
        ParseRow{"only_blanks_give_zero", "  ", 0},
        ParseRow{"lone_point_gives_zero", ".", 0},
        ParseRow{"lone_minus_gives_negative_zero", "-", -0.0},
        ParseRow{"minus_zero_gives_negative_zero", "-0", -0.0},
        ParseRow{"two_signs_give_negative_zero", "--5", -0.0},
        ParseRow{"mixed_signs_give_zero", "+-5", 0},
        ParseRow{"leading_blank_skipped", " 5", 5},
        ParseRow{"inner_blank_skipped", "1 2", 12},
        ParseRow{"tab_skipped", "\t7", 7},
        ParseRow{"line_feed_skipped", "4\n2", 42},
        ParseRow{"blank_after_sign_skipped", "- 5", -5},
        ParseRow{"blank_in_fraction_skipped", "0. 5", 0.5},
        ParseRow{"carriage_return_stops", "\r5", 0},
        ParseRow{"exponent_not_read", "1e5", 1},
        ParseRow{"huge_exponent_not_read", "9e999", 9},
        ParseRow{"hex_prefix_not_read", "&H10", 0},
        ParseRow{"octal_prefix_not_read", "&O7", 0},
        ParseRow{"arabic_indic_digits_are_not_digits", "\xD9\xA5", 0},
        ParseRow{"invalid_utf8_first_gives_zero", "\xFF\x35", 0},
        ParseRow{"invalid_utf8_after_number_ignored", "5\xFF", 5},
        ParseRow{"nul_stops",
                 std::string("5\0"
                             "6",
                             3),
                 5},
        ParseRow{"more_digits_than_a_long", "12345678901234567890", 12345678901234567890.0},
        ParseRow{"too_large_saturates", std::string(400, '9'), kMax},
        ParseRow{"too_large_negative_saturates", "-" + std::string(400, '9'), -kMax},
        ParseRow{"too_small_gives_zero", "0." + std::string(400, '0') + "1", 0},
        ParseRow{
            "too_small_negative_gives_negative_zero", "-0." + std::string(400, '0') + "1", -0.0},
        ParseRow{"megabyte_of_digits_saturates", std::string(1 << 20, '7'), kMax},
        ParseRow{"megabyte_of_leading_zeros", std::string(1 << 20, '0') + "7", 7}),
    [](const testing::TestParamInfo<ParseRow>& info) { return info.param.name; });

struct FormatRow {
    const char* name;
    double age;
    std::string expected;
};

class FormatAgeTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatAgeTest, PrintsPlainLocaleFreeDigits) {
    EXPECT_EQ(FormatAge(GetParam().age), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules,
    FormatAgeTest,
    testing::Values(FormatRow{"whole", 25, "25"},
                    FormatRow{"zero", 0, "0"},
                    FormatRow{"negative_zero_has_no_sign", -0.0, "0"},
                    FormatRow{"negative", -5, "-5"},
                    FormatRow{"half", 0.5, "0.5"},
                    FormatRow{"tenth_without_binary_noise", 0.1, "0.1"},
                    FormatRow{"negative_fraction", -0.5, "-0.5"},
                    FormatRow{"bound_fraction", 60.001, "60.001"},
                    FormatRow{"third_rounded_to_15_digits", 1.0 / 3, "0.333333333333333"},
                    FormatRow{"two_thirds_rounded_up", 2.0 / 3, "0.666666666666667"},
                    FormatRow{"rounding_carries_into_whole", 99.999999999999999, "100"},
                    FormatRow{"small_without_exponent", 0.00001, "0.00001"},
                    FormatRow{"large_without_exponent", 1e15, "1000000000000000"},
                    FormatRow{"large_keeps_15_digits", 123456789012345678.0, "123456789012346000"},
                    FormatRow{"nan", std::numeric_limits<double>::quiet_NaN(), "nan"},
                    FormatRow{
                        "negative_infinity", -std::numeric_limits<double>::infinity(), "-inf"}),
    [](const testing::TestParamInfo<FormatRow>& info) { return info.param.name; });

TEST(FormatAge, LargestDoublePrintsAllItsDigitsAndReadsBack) {
    const std::string text = FormatAge(kMax);
    EXPECT_EQ(text.size(), 309u);
    EXPECT_EQ(text.substr(0, 16), "1797693134862320");
    EXPECT_EQ(text.find_first_not_of("0123456789"), std::string::npos);
    // Rounded to 15 digits it lies just past the largest double, so it reads back saturated.
    EXPECT_EQ(ParseAge(text), kMax);
}

TEST(FormatAge, TinyValuePrintsWithoutExponentAndReadsBack) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::string text = FormatAge(tiny);
    EXPECT_EQ(text.substr(0, 2), "0.");
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos);
    EXPECT_EQ(ParseAge(text), tiny);
}

}  // namespace
}  // namespace vrenkodal
