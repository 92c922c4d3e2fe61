// SPDX-License-Identifier: MIT
#include "kind/age_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vrenkodal {

namespace {

// As many significant digits as a double holds for certain, so that the report never shows
// the noise of binary fractions (0.1 prints "0.1", not "0.1000000000000000055").
constexpr int kSignificantDigits = 15;

constexpr bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double ParseAge(std::string_view text) {
    bool negative = false;
    bool sign_seen = false;
    bool point_seen = false;
    std::string whole;  // without leading zeros
    std::string fraction;
    for (const char c : text) {
        if (IsSkipped(c)) continue;
        const bool at_start = !sign_seen && !point_seen && whole.empty() && fraction.empty();
        if (at_start && (c == '+' || c == '-')) {
            sign_seen = true;
            negative = c == '-';
        } else if (IsDigit(c)) {
            if (point_seen) {
                fraction += c;
            } else if (c != '0' || !whole.empty()) {
                whole += c;
            }
        } else if (c == '.' && !point_seen) {
            point_seen = true;
        } else {
            break;
        }
    }

    // The C library reads the digits as one whole number scaled by a power of ten
    // ("12.5" as "125e-1"), correctly rounded. Written with no decimal point, the number reads
    // the same in every locale: the user's may write "," and a program's toolkit may set it.
    double magnitude = 0.0;
    const std::string digits = whole + fraction;
    if (!digits.empty()) {
        const std::string number = digits + "e-" + std::to_string(fraction.size());
        magnitude = std::strtod(number.c_str(), nullptr);
        // Without exponents only a long whole part can overflow; a long run of zeros after
        // the point underflows to 0 by itself.
        if (!std::isfinite(magnitude)) magnitude = std::numeric_limits<double>::max();
    }
    return negative ? -magnitude : magnitude;
}

std::string FormatAge(double age) {
    if (age == 0) return "0";  // -0 too: a lone "-" in the box must not print as "-0"
    if (std::isnan(age)) return "nan";
    if (std::isinf(age)) return age < 0 ? "-inf" : "inf";

    // Let the C library round to 15 significant digits ("d.ddd…e±x"), then lay the digits out
    // without an exponent. Only the digits of its mantissa are read, so the decimal separator
    // of the user's locale, whatever it is, never reaches the report. (std::to_chars would do
    // the same without a locale, but brings 170 KB of tables into the Windows program.)
    std::array<char, 64> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "%.*e", kSignificantDigits - 1, age);
    std::string_view scientific(buffer.data(), static_cast<std::size_t>(std::clamp(length, 0, 63)));
    if (scientific.empty()) return "0";  // the C library failed; it cannot for a finite double

    std::string out;
    if (scientific.front() == '-') {
        out += '-';
        scientific.remove_prefix(1);
    }
    const auto e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (IsDigit(c)) digits += c;
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string_view exponent_text = scientific.substr(e + 1);
    if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto whole_length = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole_length) {
            out += digits;
            out.append(whole_length - digits.size(), '0');
        } else {
            out += std::string_view(digits).substr(0, whole_length);
            out += '.';
            out += std::string_view(digits).substr(whole_length);
        }
    }
    return out;
}

}  // namespace vrenkodal
