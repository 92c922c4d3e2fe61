// SPDX-License-Identifier: MIT
// A seeded random walk of real user actions on the real window. After every step the window
// must show what the state table and the text box's own rules predict.
#include <deque>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "kind/age_text.h"
#include "kind/kind_of_years.h"
#include "tests/conformance/window_driver.h"
#include "tests/properties.h"
#include "window/commands.h"
#include "window/description.h"

namespace conformance {
namespace {

using platform::ControlRef;

constexpr int kStepsPerSeed = 600;
constexpr std::size_t kMaxLength = 2;
const std::u16string kTyped = u"0123456789 .,-+xeабвгдЧЪ!?&";
const std::u16string kPasted = u"0123456789 .-xЙю";
constexpr ControlRef kShow = vrenkodal::CommandButton(vrenkodal::kShowButton);
constexpr ControlRef kClear = vrenkodal::CommandButton(vrenkodal::kClearButton);
// The controls Tab visits, in order.
const ControlRef kFocusCycle[] = {vrenkodal::kReportBox, vrenkodal::kAgeBox, kShow, kClear};

std::string Name(std::optional<ControlRef> ref) {
    if (!ref) return "none";
    return std::string(ref->name) + (ref->index >= 0 ? "(" + std::to_string(ref->index) + ")" : "");
}

// What the window should show, derived from the state table, not from the program's commands.
struct Expected {
    std::u16string age;
    // Tab into the age box selects its text. Only a focused box shows its selection, so it is
    // compared only there.
    bool age_selected = false;
    std::string report = vrenkodal::InitialWindowModel().report_text;
    bool frame = false;
    int selected = -1;
    ControlRef focus = vrenkodal::kReportBox;

    void Press(ControlRef button) {
        if (button == kShow) {
            frame = true;
            const double value = vrenkodal::ParseAge(Utf8(age));
            const auto kind = vrenkodal::properties::KindByBounds(value);
            selected = vrenkodal::IndexOf(kind);
            report = "Въведени години: " + vrenkodal::FormatAge(value) +
                     "\r\nтип: " + std::string(vrenkodal::Caption(kind)) + "\r\n";
        } else if (button == kClear) {
            age.clear();
            age_selected = false;
            report = vrenkodal::kPrompt;
            frame = false;
        }
    }
    // Text arriving in the age box: it replaces a selection, and only two characters fit.
    void Insert(std::u16string_view text) {
        if (age_selected) age.clear();
        age_selected = false;
        age += text.substr(0, kMaxLength - age.size());
    }
    int FocusAt() const {
        int at = 0;
        while (!(kFocusCycle[at] == focus)) ++at;
        return at;
    }
    void MoveFocus(int step) {
        focus = kFocusCycle[(FocusAt() + step + 4) % 4];
        age_selected = focus == vrenkodal::kAgeBox && !age.empty();
    }
};

class WalkTest : public testing::TestWithParam<unsigned> {};

TEST_P(WalkTest, EveryStepLeavesTheWindowAsPredicted) {
    auto window = OpenWindow();
    std::mt19937 random(GetParam());
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    Expected expected;
    const bool tab_cycles_within = window->TabCyclesWithin();
    std::deque<std::string> history;
    for (int step = 0; step < kStepsPerSeed; ++step) {
        const bool in_age_box = expected.focus == vrenkodal::kAgeBox;
        const bool on_button = expected.focus == kShow || expected.focus == kClear;
        std::string action;
        switch (pick(8)) {
            case 0:
            case 1: {  // a key with a character
                const char16_t c = kTyped[pick(kTyped.size())];
                action = "type '" + Utf8({&c, 1}) + "'";
                window->Type({&c, 1});
                if (in_age_box) expected.Insert({&c, 1});
                if (on_button && c == u' ') expected.Press(expected.focus);
                break;
            }
            case 2:
                action = "backspace";
                window->Press(Key::Backspace);
                if (in_age_box) {
                    if (!expected.age.empty()) {
                        expected.age.resize(expected.age_selected ? 0 : expected.age.size() - 1);
                    }
                    expected.age_selected = false;
                }
                break;
            case 3: {
                std::u16string text;
                for (std::size_t n = pick(6); n > 0; --n) text += kPasted[pick(kPasted.size())];
                action = "paste '" + Utf8(text) + "'";
                window->Paste(text);
                if (in_age_box && (!text.empty() || expected.age_selected)) expected.Insert(text);
                break;
            }
            case 4:
            case 5: {
                const ControlRef button = pick(2) == 0 ? kShow : kClear;
                action = "click " + std::string(button == kShow ? "Изведи" : "Чисти");
                window->Click(button);
                expected.focus = button;
                expected.Press(button);
                break;
            }
            case 6: {
                const int index = static_cast<int>(pick(5));
                action = "click option " + std::to_string(index);
                window->Click(vrenkodal::OptionButton(index));
                break;
            }
            case 7: {
                // Where Tab would leave a page for the browser, the walk goes the other way:
                // the browser's own stops are not the window's (TabTest shows the leaving).
                bool back = pick(2) == 0;
                const int end = back ? 0 : 3;
                if (!tab_cycles_within && expected.FocusAt() == end) back = !back;
                action = back ? "shift+tab" : "tab";
                window->Press(back ? Key::ShiftTab : Key::Tab);
                expected.MoveFocus(back ? -1 : 1);
                break;
            }
        }
        history.push_back(action);
        if (history.size() > 12) history.pop_front();

        bool options_match = true;
        for (int index = 0; index < 5; ++index) {
            options_match &=
                window->Checked(vrenkodal::OptionButton(index)) == (index == expected.selected);
        }
        const auto focus = window->Focused();
        const bool matches =
            window->Shown(vrenkodal::kAgeBox) == Utf8(expected.age) &&
            (!(expected.focus == vrenkodal::kAgeBox) ||
             window->HasSelectedText(vrenkodal::kAgeBox) == expected.age_selected) &&
            window->Shown(vrenkodal::kReportBox) == expected.report &&
            window->Visible(vrenkodal::kKindFrame) == expected.frame && options_match && focus &&
            *focus == expected.focus;
        if (!matches) {
            std::string trail;
            for (const std::string& past : history) trail += past + "; ";
            FAIL() << "seed " << GetParam() << ", step " << step << " (" << action
                   << ") after: " << trail << "\n  age '" << window->Shown(vrenkodal::kAgeBox)
                   << "', expected '" << Utf8(expected.age) << "' (selected "
                   << expected.age_selected << ")\n  frame "
                   << window->Visible(vrenkodal::kKindFrame) << ", expected " << expected.frame
                   << "; focus " << Name(focus) << ", expected " << Name(expected.focus)
                   << "\n  report '" << window->Shown(vrenkodal::kReportBox) << "'\n  expected '"
                   << expected.report << "', option " << expected.selected;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, WalkTest, testing::Range(1u, 11u), [](const auto& info) {
    return "seed_" + std::to_string(info.param);
});

}  // namespace
}  // namespace conformance
