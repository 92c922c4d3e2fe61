// SPDX-License-Identifier: MIT
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

namespace vrenkodal {
namespace {

// Records what the binding does to the controls.
class FakeForm final : public platform::Form {
  public:
    void SetVisible(platform::ControlRef control, bool visible) override {
        calls.push_back("visible " + Name(control) + (visible ? " on" : " off"));
    }
    void Select(platform::ControlRef option) override { calls.push_back("select " + Name(option)); }
    std::string Caption(platform::ControlRef control) const override { return Name(control); }
    std::string Text(platform::ControlRef text_box) const override {
        const auto found = texts.find(Name(text_box));
        return found == texts.end() ? std::string() : found->second;
    }
    void SetText(platform::ControlRef text_box, std::string_view text) override {
        calls.push_back("text " + Name(text_box));
        texts[Name(text_box)] = std::string(text);
    }

    void Announce(platform::ControlRef text_box) override {
        calls.push_back("announce " + Name(text_box) + ": " + Text(text_box));
    }

    static std::string Name(platform::ControlRef ref) {
        return std::string(ref.name) + (ref.index >= 0 ? std::to_string(ref.index) : "");
    }

    std::map<std::string, std::string> texts;
    std::vector<std::string> calls;
};

struct PressRow {
    const char* name;
    std::string typed;
    std::vector<platform::ControlRef> presses;
    std::vector<std::string> calls;  // of the last press
};

class BindingTest : public testing::TestWithParam<PressRow> {};

TEST_P(BindingTest, WritesOnlyWhatTheCommandChanged) {
    WindowBinding binding;
    FakeForm form;
    form.texts["Text2"] = GetParam().typed;
    for (const auto& press : GetParam().presses) {
        form.calls.clear();
        binding.Pressed(form, press);
    }
    EXPECT_EQ(form.calls, GetParam().calls);
}

const platform::ControlRef kShow = CommandButton(kShowButton);
const std::string kReport45 = "Въведени години: 45\r\nтип: Волски\r\n";
const platform::ControlRef kClear = CommandButton(kClearButton);

INSTANTIATE_TEST_SUITE_P(
    Presses,
    BindingTest,
    testing::Values(PressRow{"show_writes_report_frame_and_option_then_announces",
                             "45",
                             {kShow},
                             {"text Text10",
                              "visible Frame1 on",
                              "select Option12",
                              "announce Text10: " + kReport45}},
                    PressRow{"second_show_changes_nothing_but_announces_again",
                             "45",
                             {kShow, kShow},
                             {"announce Text10: " + kReport45}},
                    PressRow{"clear_after_show_leaves_the_option",
                             "45",
                             {kShow, kClear},
                             {"text Text2",
                              "text Text10",
                              "visible Frame1 off",
                              "announce Text10: Въведете възраст!"}},
                    PressRow{"clear_on_fresh_window_with_empty_box",
                             "",
                             {kClear},
                             {"text Text10", "announce Text10: Въведете възраст!"}},
                    PressRow{"another_button_array_is_ignored", "45", {{"Command2", 0}}, {}},
                    PressRow{"index_beyond_16_bits_is_ignored", "45", {CommandButton(65536)}, {}},
                    PressRow{"unknown_index_does_nothing", "45", {CommandButton(7)}, {}}),
    [](const testing::TestParamInfo<PressRow>& info) { return info.param.name; });

TEST(Binding, TheModelFollowsWhatWasTypedAtThePress) {
    WindowBinding binding;
    FakeForm form;
    form.texts["Text2"] = "61";
    binding.Pressed(form, kShow);
    EXPECT_EQ(binding.model().selected_kind, KindOfYears::Monkey);
    form.texts["Text2"] = "25";
    binding.Pressed(form, kShow);
    EXPECT_EQ(binding.model().selected_kind, KindOfYears::Human);
    EXPECT_EQ(form.texts["Text10"], "Въведени години: 25\r\nтип: Човешки\r\n");
}

}  // namespace
}  // namespace vrenkodal
