// SPDX-License-Identifier: MIT
// What the window must do on every platform, run against each platform's real window through
// its driver: places, colours as drawn, focus, typing and pasting, and the commands.
#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

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
using platform::Rgb;
using vrenkodal::kAgeBox;
using vrenkodal::kKindFrame;
using vrenkodal::kReportBox;
using vrenkodal::OptionButton;

constexpr ControlRef kShowButton = vrenkodal::CommandButton(vrenkodal::kShowButton);
constexpr ControlRef kClearButton = vrenkodal::CommandButton(vrenkodal::kClearButton);
constexpr ControlRef kTitleLabel{"Label1", 0};
constexpr ControlRef kAgeLabel{"Label2"};
const std::string kReport45 = "Въведени години: 45\r\nтип: Волски\r\n";

std::string Name(ControlRef ref) {
    return std::string(ref.name) + (ref.index >= 0 ? "_" + std::to_string(ref.index) : "");
}

int Pixels(platform::Twips twips) { return (twips * 96 + 720) / 1440; }

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { window_ = OpenWindow(); }

    void TypeText(std::u16string_view text) {
        for (const char16_t c : text) window_->Type(std::u16string_view(&c, 1));
    }
    // Replaces the age box's text, as a user who selects it and types over it.
    void EnterAge(std::u16string_view text) {
        window_->FocusOn(kAgeBox);
        while (!window_->Shown(kAgeBox).empty()) window_->Press(Key::Backspace);
        TypeText(text);
    }

    std::unique_ptr<WindowDriver> window_;
};

// ---- Every control where the description puts it, as it describes it -----------------------

class ControlTest : public WindowTest, public testing::WithParamInterface<std::size_t> {};

TEST_P(ControlTest, StandsAsDescribed) {
    const platform::Control& control = vrenkodal::MainWindow().controls[GetParam()];
    EXPECT_EQ(window_->Geometry(control.ref),
              (Rect{Pixels(control.left),
                    Pixels(control.top),
                    Pixels(control.width),
                    Pixels(control.height)}));
    if (control.kind != platform::ControlKind::TextBox) {
        EXPECT_EQ(window_->Shown(control.ref), control.text);
    }
    // The options sit in the hidden frame: there but not on screen.
    const bool in_hidden_frame = control.container == kKindFrame.name;
    EXPECT_EQ(window_->Visible(control.ref), control.visible && !in_hidden_frame);
    EXPECT_EQ(window_->Enabled(control.ref), control.enabled);
}

INSTANTIATE_TEST_SUITE_P(Description,
                         ControlTest,
                         testing::Range<std::size_t>(0, vrenkodal::MainWindow().controls.size()),
                         [](const auto& info) {
                             return Name(vrenkodal::MainWindow().controls[info.param].ref);
                         });

TEST_F(WindowTest, WindowHasFixedSizeTitleAndIcon) {
    EXPECT_EQ(window_->Geometry(kWindow).width, 461);
    EXPECT_EQ(window_->Geometry(kWindow).height, 345);
    EXPECT_TRUE(window_->FixedSize());
    EXPECT_TRUE(window_->Minimisable());
    EXPECT_FALSE(window_->Maximisable());
    EXPECT_EQ(window_->Title(), "https://www.vrenkodal.example  Vrenkodal");
    EXPECT_EQ(window_->IconSize(), 32);
}

// ---- Colours as the screen shows them -------------------------------------------------------

struct ColourRow {
    const char* name;
    ControlRef control;
    Rect area;  // where to look inside the control; empty: all of it
    Rgb expected;
    int tolerance;
    SystemColour in_high_contrast;
};

// The median of each channel: the background, whatever text stands on it.
Rgb MedianColour(const Image& image, Rect area) {
    std::array<std::vector<int>, 3> channels;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const Rgb pixel = image.At(x, y);
            channels[0].push_back(pixel.red);
            channels[1].push_back(pixel.green);
            channels[2].push_back(pixel.blue);
        }
    }
    std::array<std::uint8_t, 3> median{};
    for (std::size_t c = 0; c < 3; ++c) {
        auto& values = channels[c];
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        median[c] = static_cast<std::uint8_t>(values[values.size() / 2]);
    }
    return {median[0], median[1], median[2]};
}

void PrintTo(const ColourRow& row, std::ostream* out) { *out << row.name; }

class ColourTest : public WindowTest, public testing::WithParamInterface<ColourRow> {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        EnterAge(u"45");
        window_->Click(kShowButton);   // shows the frame
        window_->FocusOn(kReportBox);  // the buttons at rest
    }
    // Each channel within the row's tolerance of the colour wanted.
    void ExpectSeen(Rgb want, const char* when) {
        const ColourRow& row = GetParam();
        const Image image = window_->Grab(row.control);
        ASSERT_GT(image.width, 0);
        const Rgb seen = MedianColour(
            image, row.area.width > 0 ? row.area : Rect{0, 0, image.width, image.height});
        for (const auto& [got, wanted] : {std::pair{seen.red, want.red},
                                          std::pair{seen.green, want.green},
                                          std::pair{seen.blue, want.blue}}) {
            EXPECT_NEAR(got, wanted, row.tolerance)
                << when << ": seen (" << int(seen.red) << ", " << int(seen.green) << ", "
                << int(seen.blue) << ")";
        }
    }
};

TEST_P(ColourTest, IsDrawnExactly) { ExpectSeen(GetParam().expected, "as described"); }

// With high contrast on, the user's colours replace every one of the window's own; turned off
// again, the window's own come back.
TEST_P(ColourTest, TakesTheSystemsColoursInHighContrast) {
    window_->SetHighContrast(true);
    const Rgb system = window_->System(GetParam().in_high_contrast);
    ASSERT_NE(system, GetParam().expected) << "the test's system colour must differ";
    ExpectSeen(system, "high contrast on");
    window_->SetHighContrast(false);
    ExpectSeen(GetParam().expected, "off again");
}

// A button's face is looked at inside its edge, away from nothing: the median passes over the
// caption. The age box, right of the age typed in it.
const ColourRow kColourRows[] = {
    {"window", kWindow, {400, 5, 50, 20}, {192, 192, 255}, 0, SystemColour::Face},
    {"title_label", kTitleLabel, {}, {255, 192, 128}, 0, SystemColour::Face},
    {"age_label", kAgeLabel, {}, {128, 255, 128}, 0, SystemColour::Face},
    {"frame", kKindFrame, {20, 130, 100, 10}, {192, 192, 255}, 0, SystemColour::Face},
    {"option", OptionButton(2), {}, {192, 192, 255}, 0, SystemColour::Face},
    {"show_button_face", kShowButton, {4, 4, 81, 17}, {128, 255, 128}, 3, SystemColour::ButtonFace},
    {"clear_button_face",
     kClearButton,
     {4, 4, 81, 17},
     {255, 128, 128},
     3,
     SystemColour::ButtonFace},
    {"age_box", kAgeBox, {34, 4, 10, 6}, {255, 255, 255}, 3, SystemColour::Field},
};

INSTANTIATE_TEST_SUITE_P(Layout, ColourTest, testing::ValuesIn(kColourRows), [](const auto& info) {
    return std::string(info.param.name);
});

// ---- Focus and keys -------------------------------------------------------------------------

TEST_F(WindowTest, FocusStartsInTheReportBox) { EXPECT_EQ(window_->Focused(), kReportBox); }

class TabTest : public WindowTest, public testing::WithParamInterface<bool> {};

// Tab and Shift+Tab go round the four controls in the window's order; a page's round passes
// through the browser ("none") between its last control and its first.
TEST_P(TabTest, GoesRoundTheFourControlsBothWays) {
    if (GetParam()) window_->Click(kShowButton);
    EXPECT_EQ(window_->Visible(kKindFrame), GetParam());
    std::vector<std::string> round = {"Text1_0", "Text2", "Command1_0", "Command1_1"};
    if (!window_->TabCyclesWithin()) round.push_back("none");
    const std::size_t n = round.size();
    const auto focus = [this] {
        const auto focused = window_->Focused();
        return focused ? Name(*focused) : "none";
    };
    // Each way from a click in the report box, as far as the focus goes in one round.
    std::vector<std::string> seen, expected;
    window_->Click(kReportBox);
    for (std::size_t i = 1; i <= n; ++i) {
        window_->Press(Key::Tab);
        seen.push_back(focus());
        expected.push_back(round[i % n]);
    }
    EXPECT_EQ(seen, expected) << "Tab";
    seen.clear(), expected.clear();
    window_->Click(kReportBox);
    for (std::size_t i = 1; i <= n; ++i) {
        window_->Press(Key::ShiftTab);
        seen.push_back(focus());
        expected.push_back(round[n - i]);
    }
    EXPECT_EQ(seen, expected) << "Shift+Tab";
    EXPECT_EQ(window_->Shown(kReportBox).find('\t'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Frame, TabTest, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "frame_shown" : "frame_hidden");
});

// A keyboard user sees where the focus is: each control, reached by Tab, looks different from
// the same control without the focus, in the window's colours and in high contrast.
struct FocusRow {
    const char* name;
    ControlRef from;  // Tab, or Shift+Tab when back, from here reaches the control
    ControlRef control;
    bool back = false;
};

class FocusShowsTest : public WindowTest,
                       public testing::WithParamInterface<std::tuple<FocusRow, bool>> {};

TEST_P(FocusShowsTest, ReachedByTabTheControlLooksDifferent) {
    const auto& [row, high_contrast] = GetParam();
    window_->SetHighContrast(high_contrast);
    window_->FocusOn(row.from);
    const Image before = window_->Grab(row.control);
    window_->Press(row.back ? Key::ShiftTab : Key::Tab);
    ASSERT_EQ(window_->Focused(), row.control);
    const Image after = window_->Grab(row.control);
    ASSERT_EQ(before.pixels.size(), after.pixels.size());
    int changed = 0;
    for (std::size_t at = 0; at < before.pixels.size(); ++at) {
        if (before.pixels[at] != after.pixels[at]) ++changed;
    }
    window_->SetHighContrast(false);
    // A caret alone is some fifteen pixels; a focus rectangle or ring, many more.
    EXPECT_GE(changed, 12) << "no visible sign of the focus";
}

const FocusRow kFocusRows[] = {
    {"report_box", kAgeBox, kReportBox, true},
    {"age_box", kReportBox, kAgeBox},
    {"show_button", kAgeBox, kShowButton},
    {"clear_button", kShowButton, kClearButton},
};

INSTANTIATE_TEST_SUITE_P(Keyboard,
                         FocusShowsTest,
                         testing::Combine(testing::ValuesIn(kFocusRows), testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_high_contrast" : "");
                         });

TEST_F(WindowTest, SpacePressesTheFocusedButton) {
    EnterAge(u"45");
    window_->FocusOn(kShowButton);
    window_->Press(Key::Space);
    EXPECT_EQ(window_->Shown(kReportBox), kReport45);
    window_->Press(Key::Tab);
    window_->Press(Key::Space);
    EXPECT_EQ(window_->Shown(kAgeBox), "");
    EXPECT_EQ(window_->Shown(kReportBox), vrenkodal::kPrompt);
}

TEST_F(WindowTest, EnterInTheAgeBoxDoesNothing) {
    EnterAge(u"45");
    window_->Press(Key::Enter);
    EXPECT_FALSE(window_->Visible(kKindFrame));
    EXPECT_EQ(window_->Shown(kAgeBox), "45");
}

TEST_F(WindowTest, ClickOnADisabledOptionChangesNothing) {
    EnterAge(u"45");
    window_->Click(kShowButton);
    window_->Click(OptionButton(0));
    EXPECT_FALSE(window_->Checked(OptionButton(0)));
    EXPECT_TRUE(window_->Checked(OptionButton(2)));
    EXPECT_EQ(window_->Shown(kReportBox), kReport45);
    EXPECT_EQ(window_->Focused(), kShowButton);
}

TEST_F(WindowTest, ScreenReaderNamesTheAgeBoxAndTheReport) {
    EXPECT_EQ(window_->AccessibleName(kAgeBox), "Възраст [1..70]:");
    EXPECT_EQ(window_->AccessibleName(kReportBox), "Отчет");
}

// ---- The age box holds two characters -------------------------------------------------------

struct AgeBoxRow {
    const char* name;
    std::u16string typed;
    std::u16string pasted;
    std::string expected;
};

void PrintTo(const AgeBoxRow& row, std::ostream* out) { *out << row.name; }

class AgeBoxTest : public WindowTest, public testing::WithParamInterface<AgeBoxRow> {};

TEST_P(AgeBoxTest, HoldsTwoCharacters) {
    const AgeBoxRow& row = GetParam();
    window_->FocusOn(kAgeBox);
    TypeText(row.typed);
    if (!row.pasted.empty()) window_->Paste(row.pasted);
    EXPECT_EQ(window_->Shown(kAgeBox), row.expected);
}

const AgeBoxRow kAgeBoxRows[] = {
    {"two_digits", u"45", u"", "45"},
    {"third_digit_refused", u"459", u"", "45"},
    {"cyrillic_typed", u"абв", u"", "аб"},
    {"long_paste_cut_to_two", u"", u"123456", "12"},
    {"paste_after_one_digit_adds_one", u"7", u"89", "78"},
    {"paste_into_full_box_refused", u"45", u"6", "45"},
    {"sign_and_point", u"-.", u"", "-."},
};

INSTANTIATE_TEST_SUITE_P(Typing, AgeBoxTest, testing::ValuesIn(kAgeBoxRows), [](const auto& info) {
    return std::string(info.param.name);
});

// ---- The commands through the real controls ------------------------------------------------

struct CommandRow {
    const char* name;
    std::vector<std::u16string> steps;  // an age to type, or S (show) or C (clear)
    std::string age;
    std::string report;  // empty: the task statement
    bool frame;
    int selected;
};

void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }

class CommandTest : public WindowTest, public testing::WithParamInterface<CommandRow> {};

TEST_P(CommandTest, LeavesTheWindowAsTheStateTableSays) {
    const CommandRow& row = GetParam();
    for (const std::u16string& step : row.steps) {
        if (step == u"S") {
            window_->Click(kShowButton);
        } else if (step == u"C") {
            window_->Click(kClearButton);
        } else {
            EnterAge(step);
        }
    }
    EXPECT_EQ(window_->Shown(kAgeBox), row.age);
    EXPECT_EQ(window_->Shown(kReportBox),
              row.report.empty() ? vrenkodal::InitialWindowModel().report_text : row.report);
    EXPECT_EQ(window_->Visible(kKindFrame), row.frame);
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(window_->Checked(OptionButton(index)), index == row.selected) << index;
        EXPECT_EQ(window_->Visible(OptionButton(index)), row.frame) << index;
    }
}

const CommandRow kCommandRows[] = {
    {"at_start", {}, "", "", false, -1},
    {"show_45", {u"45", u"S"}, "45", kReport45, true, 2},
    {"show_empty_box", {u"S"}, "", "Въведени години: 0\r\nтип: Човешки\r\n", true, 0},
    {"show_twice_same_report", {u"45", u"S", u"S"}, "45", kReport45, true, 2},
    {"clear_fresh_window", {u"7", u"C"}, "", "Въведете възраст!", false, -1},
    {"clear_keeps_selection", {u"45", u"S", u"C"}, "", "Въведете възраст!", false, 2},
    {"show_after_clear_moves_selection",
     {u"45", u"S", u"C", u"25", u"S"},
     "25",
     "Въведени години: 25\r\nтип: Човешки\r\n",
     true,
     0},
    {"monkey_past_seventy",
     {u"99", u"S"},
     "99",
     "Въведени години: 99\r\nтип: Маймунски\r\n",
     true,
     4},
    {"leading_number_of_text",
     {u"4x", u"S"},
     "4x",
     "Въведени години: 4\r\nтип: Човешки\r\n",
     true,
     0},
    {"decimal_comma_stops", {u"3,", u"S"}, "3,", "Въведени години: 3\r\nтип: Човешки\r\n", true, 0},
};

INSTANTIATE_TEST_SUITE_P(StateTable,
                         CommandTest,
                         testing::ValuesIn(kCommandRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- A screen reader hears each answer without leaving the button ---------------------------

// As speech reads it: line breaks and runs of blanks are one pause.
std::string AsSpoken(const std::string& text) {
    std::istringstream words(text);
    std::string spoken;
    for (std::string word; words >> word;) spoken += (spoken.empty() ? "" : " ") + word;
    return spoken;
}

struct AnnouncementRow {
    const char* name;
    std::vector<std::u16string> steps;  // an age to type, or S or C clicked, or s pressed by Space
    std::vector<std::string> heard;
};

void PrintTo(const AnnouncementRow& row, std::ostream* out) { *out << row.name; }

class AnnouncementTest : public WindowTest, public testing::WithParamInterface<AnnouncementRow> {};

TEST_P(AnnouncementTest, SaysTheReportOncePerPress) {
    for (const std::u16string& step : GetParam().steps) {
        if (step == u"S" || step == u"C") {
            window_->Click(step == u"S" ? kShowButton : kClearButton);
        } else if (step == u"s") {
            window_->FocusOn(kShowButton);
            window_->Press(Key::Space);
            EXPECT_EQ(window_->Focused(), kShowButton) << "the answer took the focus";
        } else {
            EnterAge(step);
        }
    }
    std::vector<std::string> heard;
    for (const std::string& text : window_->Announcements()) heard.push_back(AsSpoken(text));
    EXPECT_EQ(heard, GetParam().heard);
}

const AnnouncementRow kAnnouncementRows[] = {
    {"nothing_at_start_nor_while_typing", {u"45"}, {}},
    {"show_says_age_and_kind", {u"45", u"S"}, {"Въведени години: 45 тип: Волски"}},
    {"space_on_show_keeps_the_focus", {u"61", u"s"}, {"Въведени години: 61 тип: Маймунски"}},
    {"same_age_twice_is_said_twice",
     {u"45", u"S", u"S"},
     {"Въведени години: 45 тип: Волски", "Въведени години: 45 тип: Волски"}},
    {"clear_says_the_prompt",
     {u"45", u"S", u"C"},
     {"Въведени години: 45 тип: Волски", "Въведете възраст!"}},
};

INSTANTIATE_TEST_SUITE_P(ScreenReader,
                         AnnouncementTest,
                         testing::ValuesIn(kAnnouncementRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The box counts UTF-16 units, so a paste can keep half of a character outside the Basic
// Multilingual Plane; the number before it is still read.
TEST_F(WindowTest, HalfACharacterInTheAgeBoxLeavesTheLeadingNumber) {
    window_->FocusOn(kAgeBox);
    TypeText(u"1");
    window_->Paste(
        u"\U0001F600"
        u"5");
    window_->Click(kShowButton);
    EXPECT_TRUE(window_->Shown(kAgeBox).starts_with("1")) << window_->Shown(kAgeBox);
    EXPECT_EQ(window_->Shown(kReportBox), "Въведени години: 1\r\nтип: Човешки\r\n");
    EXPECT_TRUE(window_->Checked(OptionButton(0)));
}

TEST_F(WindowTest, ReportBoxKeepsCrLfLineEnds) {
    EnterAge(u"45");
    window_->Click(kShowButton);
    EXPECT_EQ(window_->Form().Text(kReportBox), kReport45);
    for (const std::string text : {"a\r\nb\r\n\r\nc", "\r\n", "без край"}) {
        window_->Form().SetText(kReportBox, text);
        EXPECT_EQ(window_->Form().Text(kReportBox), text);
        EXPECT_EQ(window_->Shown(kReportBox), text);
    }
}

}  // namespace
}  // namespace conformance
