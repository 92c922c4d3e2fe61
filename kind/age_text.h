// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vrenkodal {

// Reads the number at the start of the age text (UTF-8). Locale-free: the decimal point is
// always ".". The form read is: an optional sign, digits, an optional "." and more digits.
// Blanks, tabs and line feeds are skipped wherever they stand (" 5" is 5, "1 2" is 12).
// Reading stops at the first other character and the rest is ignored; exponents ("1e5" is 1)
// and radix prefixes ("&H10" is 0) are deliberately not read, so that a pupil's typing means
// just what it shows. Text without a digit gives 0 ("-" gives -0).
//
// Total: never throws and never gives NaN or infinity. A number too large for a double gives
// the largest finite double of its sign; one too small for a double gives 0 of its sign.
double ParseAge(std::string_view text);

// The age as the report prints it, locale-free: at most 15 significant digits, shortest form,
// "." before a fractional part, never an exponent and never "-0" (25 -> "25", 0.5 -> "0.5",
// -5 -> "-5"). Because it writes no exponent, ParseAge reads back every text it writes.
// Infinity and NaN, which ParseAge never gives, print as "inf", "-inf" and "nan".
std::string FormatAge(double age);

}  // namespace vrenkodal
