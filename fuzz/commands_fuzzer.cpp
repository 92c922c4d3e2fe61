// SPDX-License-Identifier: MIT
// Any bytes as a history of the user's: typed texts and presses of Command1 elements. After
// every step the model must be what the state table says.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "tests/properties.h"
#include "window/commands.h"

namespace {

void Require(bool holds, const char* what, int step) {
    if (holds) return;
    std::fprintf(stderr, "step %d: %s\n", step, what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vrenkodal;
    FuzzedDataProvider input(data, size);
    const WindowModel initial = InitialWindowModel();
    WindowModel model = initial;
    for (int step = 0; input.remaining_bytes() > 0; ++step) {
        if (input.ConsumeBool()) {
            // The box holds two characters, but the commands must cope with any text.
            model.age_text = input.ConsumeRandomLengthString(16);
            continue;
        }
        const auto index = input.ConsumeIntegral<std::int16_t>();
        const WindowModel before = model;
        Command1_Click(model, index);

        Require(model.option_captions == initial.option_captions, "captions changed", step);
        if (index == kShowButton) {
            Require(model.frame_shown, "frame hidden after show", step);
            Require(model.age_text == before.age_text, "show changed the age text", step);
            const double age = ParseAge(model.age_text);
            Require(model.selected_kind == properties::KindByBounds(age), "wrong kind", step);
            Require(properties::ReportProblem(model.report_text, model.age_text).empty(),
                    "malformed report",
                    step);
        } else if (index == kClearButton) {
            Require(model.age_text.empty(), "age text left after clear", step);
            Require(model.report_text == kPrompt, "no prompt after clear", step);
            Require(!model.frame_shown, "frame shown after clear", step);
            Require(model.selected_kind == before.selected_kind, "clear moved the selection", step);
        } else {
            Require(model == before, "another index changed the window", step);
        }
    }
    return 0;
}
