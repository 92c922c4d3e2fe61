// SPDX-License-Identifier: MIT
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "window/commands.h"
#include "window/task_statement.h"

namespace vrenkodal {
namespace {

// A step of the user's: type into the age box (replacing its text), or press a button.
struct Type {
    std::string text;
};
struct Click {
    std::int16_t index;
};
using Step = std::variant<Type, Click>;

struct Expected {
    std::string age_text;
    std::string report_text;
    bool frame_shown;
    std::optional<KindOfYears> selected_kind;
};

struct StateRow {
    const char* name;
    std::vector<Step> steps;
    Expected expected;
};

WindowModel Play(const std::vector<Step>& steps) {
    WindowModel model = InitialWindowModel();
    for (const Step& step : steps) {
        if (const auto* type = std::get_if<Type>(&step)) {
            model.age_text = type->text;
        } else {
            Command1_Click(model, std::get<Click>(step).index);
        }
    }
    return model;
}

class CommandStateTest : public testing::TestWithParam<StateRow> {};

TEST_P(CommandStateTest, LeavesTheWindowInTheExpectedState) {
    const WindowModel model = Play(GetParam().steps);
    const Expected& expected = GetParam().expected;
    EXPECT_EQ(model.age_text, expected.age_text);
    EXPECT_EQ(model.report_text, expected.report_text);
    EXPECT_EQ(model.frame_shown, expected.frame_shown);
    EXPECT_EQ(model.selected_kind, expected.selected_kind);
    EXPECT_EQ(model.option_captions, InitialWindowModel().option_captions);
}

const std::string kTask(kTaskStatement);
const std::string kCleared(kPrompt);
const Click kShow{kShowButton};
const Click kClear{kClearButton};

INSTANTIATE_TEST_SUITE_P(
    StateTable,
    CommandStateTest,
    testing::Values(
        StateRow{"at_start", {}, {"", kTask, false, std::nullopt}},
        StateRow{
            "typing_alone_changes_nothing_else", {Type{"45"}}, {"45", kTask, false, std::nullopt}},
        StateRow{"show_45_selects_ox",
                 {Type{"45"}, kShow},
                 {"45", "Въведени години: 45\r\nтип: Волски\r\n", true, KindOfYears::Ox}},
        StateRow{"show_with_empty_box_reports_zero_human",
                 {kShow},
                 {"", "Въведени години: 0\r\nтип: Човешки\r\n", true, KindOfYears::Human}},
        StateRow{"show_twice_does_not_accumulate",
                 {Type{"45"}, kShow, kShow},
                 {"45", "Въведени години: 45\r\nтип: Волски\r\n", true, KindOfYears::Ox}},
        StateRow{"clear_on_fresh_window", {Type{"7"}, kClear}, {"", kCleared, false, std::nullopt}},
        StateRow{"clear_twice_is_the_same_as_once",
                 {kClear, kClear},
                 {"", kCleared, false, std::nullopt}},
        StateRow{"clear_keeps_the_selection",
                 {Type{"45"}, kShow, kClear},
                 {"", kCleared, false, KindOfYears::Ox}},
        StateRow{"show_after_clear_moves_the_selection",
                 {Type{"45"}, kShow, kClear, Type{"25"}, kShow},
                 {"25", "Въведени години: 25\r\nтип: Човешки\r\n", true, KindOfYears::Human}},
        StateRow{"show_after_clear_with_empty_box",
                 {Type{"61"}, kShow, kClear, kShow},
                 {"", "Въведени години: 0\r\nтип: Човешки\r\n", true, KindOfYears::Human}},
        StateRow{"show_replaces_the_prompt",
                 {kClear, Type{"51"}, kShow},
                 {"51", "Въведени години: 51\r\nтип: Кучешки\r\n", true, KindOfYears::Dog}},
        StateRow{"new_age_replaces_the_report",
                 {Type{"31"}, kShow, Type{"99"}, kShow},
                 {"99", "Въведени години: 99\r\nтип: Маймунски\r\n", true, KindOfYears::Monkey}},
        StateRow{"other_index_on_fresh_window_does_nothing",
                 {Type{"45"}, Click{2}},
                 {"45", kTask, false, std::nullopt}},
        StateRow{"other_index_after_show_does_nothing",
                 {Type{"45"}, kShow, Type{"61"}, Click{-1}},
                 {"61", "Въведени години: 45\r\nтип: Волски\r\n", true, KindOfYears::Ox}}),
    [](const testing::TestParamInfo<StateRow>& info) { return info.param.name; });

TEST(Command1Click, NoIndexButShowAndClearChangesAnything) {
    const std::vector<std::vector<Step>> histories = {
        {}, {Type{"45"}, kShow}, {Type{"45"}, kShow, kClear, Type{"3"}}};
    for (const auto& history : histories) {
        const WindowModel before = Play(history);
        for (int index = std::numeric_limits<std::int16_t>::min();
             index <= std::numeric_limits<std::int16_t>::max();
             ++index) {
            if (index == kShowButton || index == kClearButton) continue;
            WindowModel model = before;
            Command1_Click(model, static_cast<std::int16_t>(index));
            ASSERT_EQ(model, before)
                << "index " << index << " after " << history.size() << " steps";
        }
    }
}

TEST(ShowKind, QuotesTheCaptionTheOptionButtonShows) {
    WindowModel model = InitialWindowModel();
    model.option_captions[2] = "Воловски";
    model.age_text = "45";
    ShowKind(model);
    EXPECT_EQ(model.report_text, "Въведени години: 45\r\nтип: Воловски\r\n");
}

}  // namespace
}  // namespace vrenkodal
