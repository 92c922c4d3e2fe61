// SPDX-License-Identifier: MIT
#include "kind/report.h"

#include "kind/age_text.h"
#include "kind/kind_of_years.h"

namespace vrenkodal {

std::string ReportAgeLine(double age) {
    std::string line(kAgeLabel);
    line += FormatAge(age);
    line += kLineEnd;
    return line;
}

std::string ReportKindLine(std::string_view kind_caption) {
    std::string line(kKindLabel);
    line += kind_caption;
    line += kLineEnd;
    return line;
}

std::string Report(std::string_view age_text) {
    const double age = ParseAge(age_text);
    return ReportAgeLine(age) + ReportKindLine(Caption(ClassifyAge(age)));
}

}  // namespace vrenkodal
