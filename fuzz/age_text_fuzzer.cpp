// SPDX-License-Identifier: MIT
// Any bytes as the age text: the age, its kind, its printed form and the report must hold
// their properties.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "kind/report.h"
#include "tests/properties.h"

namespace {

void Require(const std::string& problem, std::string_view text) {
    if (problem.empty()) return;
    std::fprintf(stderr, "age text of %zu bytes: %s\n", text.size(), problem.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Require(vrenkodal::properties::AgeProblem(text), text);
    Require(vrenkodal::properties::ReportProblem(vrenkodal::Report(text), text), text);
    return 0;
}
