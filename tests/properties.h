// SPDX-License-Identifier: MIT
#pragma once

// What must hold for every age text and every report, whatever the text: shared by the sweep
// tests and the fuzzers. Each check returns an empty string when all holds, or what is wrong.

#include <cmath>
#include <string>
#include <string_view>

#include "kind/age_text.h"
#include "kind/kind_of_years.h"
#include "kind/report.h"

namespace vrenkodal::properties {

// The kind by counting the bounds the age lies above: an independent reading of the ranges.
inline KindOfYears KindByBounds(double age) {
    int above = 0;
    for (const double bound : {30.0, 40.0, 50.0, 60.0}) above += age > bound;
    return static_cast<KindOfYears>(above);
}

inline std::string AgeProblem(std::string_view text) {
    const double age = ParseAge(text);
    if (!std::isfinite(age)) return "the age is not a finite number";
    if (ClassifyAge(age) != KindByBounds(age)) return "the kind disagrees with the bounds";
    const std::string printed = FormatAge(age);
    if (printed.empty() || printed == "-0") return "printed as '" + printed + "'";
    if (printed.find_first_not_of("-.0123456789") != std::string::npos) {
        return "printed with a foreign character: '" + printed + "'";
    }
    // Fifteen digits survive a trip through a double, so printing what was read back gives
    // the same text.
    if (FormatAge(ParseAge(printed)) != printed) return "'" + printed + "' does not read back";
    return {};
}

inline std::string ReportProblem(std::string_view report, std::string_view age_text) {
    const double age = ParseAge(age_text);
    const auto first_end = report.find(kLineEnd);
    if (first_end == std::string_view::npos) return "no line end";
    const std::string_view first = report.substr(0, first_end);
    const std::string_view second = report.substr(first_end + kLineEnd.size());
    if (!first.starts_with(kAgeLabel)) return "the first line lacks its label";
    if (first.substr(kAgeLabel.size()) != FormatAge(age)) return "the first line lacks the age";
    if (!second.starts_with(kKindLabel)) return "the second line lacks its label";
    if (!second.ends_with(kLineEnd)) return "the second line lacks its line end";
    const std::string_view caption =
        second.substr(kKindLabel.size(), second.size() - kKindLabel.size() - kLineEnd.size());
    if (caption != Caption(KindByBounds(age))) return "the second line names the wrong kind";
    return {};
}

}  // namespace vrenkodal::properties
