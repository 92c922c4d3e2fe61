// SPDX-License-Identifier: MIT
#include "window/commands.h"

#include "kind/age_text.h"
#include "kind/report.h"

namespace vrenkodal {

void Command1_Click(WindowModel& model, std::int16_t index) {
    switch (index) {
        case kShowButton:
            ShowKind(model);
            break;
        case kClearButton:
            ClearEntry(model);
            break;
        default:
            break;
    }
}

void ShowKind(WindowModel& model) {
    model.frame_shown = true;
    const double age = ParseAge(model.age_text);
    const KindOfYears kind = ClassifyAge(age);
    model.selected_kind = kind;
    // The report is written in two steps, the second appending to what the box holds, and
    // quotes the caption the option button shows.
    model.report_text = ReportAgeLine(age);
    model.report_text +=
        ReportKindLine(model.option_captions.at(static_cast<std::size_t>(IndexOf(kind))));
}

void ClearEntry(WindowModel& model) {
    model.age_text.clear();
    model.report_text = kPrompt;
    model.frame_shown = false;
}

}  // namespace vrenkodal
