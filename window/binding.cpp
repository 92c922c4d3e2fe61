// SPDX-License-Identifier: MIT
#include "window/binding.h"

#include <cstdint>
#include <limits>

#include "window/commands.h"
#include "window/description.h"

namespace vrenkodal {

namespace {

// Writes only what changed, so that an unchanged report keeps its scroll position.
void Show(platform::Form& form, const WindowModel& before, const WindowModel& after) {
    if (after.age_text != before.age_text) form.SetText(kAgeBox, after.age_text);
    if (after.report_text != before.report_text) form.SetText(kReportBox, after.report_text);
    if (after.frame_shown != before.frame_shown) form.SetVisible(kKindFrame, after.frame_shown);
    if (after.selected_kind && after.selected_kind != before.selected_kind) {
        form.Select(OptionButton(IndexOf(*after.selected_kind)));
    }
}

}  // namespace

WindowBinding::WindowBinding() : model_(InitialWindowModel()) {}

void WindowBinding::Pressed(platform::Form& form, platform::ControlRef button) {
    if (button.name != kButtonArray || button.index < std::numeric_limits<std::int16_t>::min() ||
        button.index > std::numeric_limits<std::int16_t>::max()) {
        return;
    }
    // Typing belongs to the age box alone; the commands see it when a button is pressed.
    model_.age_text = form.Text(kAgeBox);
    const WindowModel before = model_;
    const auto index = static_cast<std::int16_t>(button.index);
    Command1_Click(model_, index);
    Show(form, before, model_);
    // The answer, or the prompt, lands in a box that does not have the focus: a pupil who
    // cannot see the screen hears it all the same, after every press.
    if (index == kShowButton || index == kClearButton) form.Announce(kReportBox);
}

}  // namespace vrenkodal
