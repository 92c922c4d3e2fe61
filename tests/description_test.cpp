// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "window/description.h"
#include "window/window_model.h"

namespace vrenkodal {
namespace {

using platform::Control;
using platform::ControlKind;
using platform::ControlRef;
using platform::Rgb;

const Control* Find(ControlRef ref) {
    for (const Control& control : MainWindow().controls) {
        if (control.ref == ref) return &control;
    }
    return nullptr;
}

// The layout as designed, row by row in the order the window creates the controls.
struct LayoutRow {
    const char* name;
    ControlRef ref;
    ControlKind kind;
    std::string_view text;
    int left, top, width, height;
    std::optional<Rgb> background;
    std::string_view container;
};

constexpr Rgb kLavender{192, 192, 255};

const std::vector<LayoutRow>& Layout() {
    static const std::vector<LayoutRow> rows = {
        {"Frame1",
         {"Frame1"},
         ControlKind::Frame,
         "      Вид години     ",
         3480,
         480,
         2295,
         2175,
         kLavender,
         ""},
        {"Option1_4",
         {"Option1", 4},
         ControlKind::OptionButton,
         "Маймунски",
         240,
         1800,
         1695,
         285,
         kLavender,
         "Frame1"},
        {"Option1_3",
         {"Option1", 3},
         ControlKind::OptionButton,
         "Кучешки",
         240,
         1440,
         1695,
         285,
         kLavender,
         "Frame1"},
        {"Option1_2",
         {"Option1", 2},
         ControlKind::OptionButton,
         "Волски",
         240,
         1080,
         1695,
         285,
         kLavender,
         "Frame1"},
        {"Option1_1",
         {"Option1", 1},
         ControlKind::OptionButton,
         "Конски",
         240,
         720,
         1695,
         285,
         kLavender,
         "Frame1"},
        {"Option1_0",
         {"Option1", 0},
         ControlKind::OptionButton,
         "Човешки",
         240,
         360,
         1695,
         285,
         kLavender,
         "Frame1"},
        {"Command1_1",
         {"Command1", 1},
         ControlKind::PushButton,
         "Чисти",
         840,
         2280,
         1335,
         375,
         Rgb{255, 128, 128},
         ""},
        {"Command1_0",
         {"Command1", 0},
         ControlKind::PushButton,
         "Изведи",
         840,
         1200,
         1335,
         375,
         Rgb{128, 255, 128},
         ""},
        {"Text2", {"Text2"}, ControlKind::TextBox, "", 1920, 480, 735, 405, std::nullopt, ""},
        {"Text1_0",
         {"Text1", 0},
         ControlKind::TextBox,
         "",
         120,
         2880,
         6735,
         1815,
         std::nullopt,
         ""},
        {"Label2",
         {"Label2"},
         ControlKind::Label,
         "Възраст [1..70]:",
         120,
         480,
         1815,
         375,
         Rgb{128, 255, 128},
         ""},
        {"Label1_0",
         {"Label1", 0},
         ControlKind::Label,
         "Животинските години на човека",
         960,
         0,
         4575,
         375,
         Rgb{255, 192, 128},
         ""},
    };
    return rows;
}

TEST(WindowDescription, HasTheDesignedControlsInCreationOrder) {
    const auto& controls = MainWindow().controls;
    ASSERT_EQ(controls.size(), Layout().size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const LayoutRow& row = Layout()[i];
        const Control& control = controls[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(control.ref, row.ref);
        EXPECT_EQ(control.kind, row.kind);
        if (control.ref != kReportBox) {
            EXPECT_EQ(control.text, row.text);
        }
        EXPECT_EQ(control.left, row.left);
        EXPECT_EQ(control.top, row.top);
        EXPECT_EQ(control.width, row.width);
        EXPECT_EQ(control.height, row.height);
        EXPECT_EQ(control.background, row.background);
        EXPECT_EQ(control.container, row.container);
    }
}

TEST(WindowDescription, WindowHasItsSizeColourFontAndCaption) {
    const platform::Window& window = MainWindow();
    EXPECT_EQ(window.name, "Vrenkodal");
    EXPECT_EQ(window.client_width, 6915);
    EXPECT_EQ(window.client_height, 5175);
    EXPECT_EQ(window.background, kLavender);
    EXPECT_EQ(window.font, (platform::Font{"Times New Roman", 12, false}));
    // A web address, two blanks, then the title.
    const std::string_view caption = window.caption;
    EXPECT_TRUE(caption.starts_with("http")) << caption;
    EXPECT_TRUE(caption.ends_with("  Vrenkodal")) << caption;
    EXPECT_EQ(caption.find(' '), caption.size() - std::string_view("  Vrenkodal").size());
    EXPECT_NE(caption.find(".example"), std::string_view::npos) << "a reserved domain";
}

TEST(WindowDescription, IconIs32By32InAtMost256Colours) {
    const auto icon = MainWindow().icon;
    ASSERT_FALSE(icon.empty());
    int width = 0, height = 0, colours = 0, characters = 0;
    ASSERT_EQ(std::sscanf(icon[0], "%d %d %d %d", &width, &height, &colours, &characters), 4);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_LE(colours, 256);
    ASSERT_EQ(icon.size(), static_cast<std::size_t>(1 + colours + height));
    for (int row = 0; row < height; ++row) {
        EXPECT_EQ(std::strlen(icon[1 + colours + row]),
                  static_cast<std::size_t>(width * characters))
            << "row " << row;
    }
}

TEST(WindowDescription, OnlyTheShowCommandCanSelectAnOption) {
    for (int index = 0; index < 5; ++index) {
        const Control* option = Find(OptionButton(index));
        ASSERT_NE(option, nullptr);
        EXPECT_FALSE(option->enabled) << index;
        EXPECT_EQ(option->font, (platform::Font{"Times New Roman", 12, true})) << index;
    }
    EXPECT_FALSE(Find(kKindFrame)->visible);
}

TEST(WindowDescription, AgeBoxHoldsTwoCharactersAndIsLabelled) {
    EXPECT_EQ(Find(kAgeBox)->max_length, 2);
    EXPECT_EQ(Find({"Label2"})->label_for, kAgeBox);
    const Control* report = Find(kReportBox);
    EXPECT_TRUE(report->multi_line);
    EXPECT_TRUE(report->vertical_scroll_bar);
    EXPECT_FALSE(report->accessible_name.empty());
}

TEST(WindowDescription, FocusOrderRunsFromReportBoxToOptions) {
    std::vector<const Control*> order;
    for (const Control& control : MainWindow().controls) order.push_back(&control);
    std::sort(
        order.begin(), order.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });
    std::vector<std::string> names;
    for (const Control* control : order) {
        names.push_back(std::string(control->ref.name) +
                        (control->ref.index >= 0 ? std::to_string(control->ref.index) : ""));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Text10",
                                        "Label10",
                                        "Label2",
                                        "Text2",
                                        "Command10",
                                        "Command11",
                                        "Frame1",
                                        "Option10",
                                        "Option11",
                                        "Option12",
                                        "Option13",
                                        "Option14"}));
}

TEST(WindowDescription, OpensWithTheModelsInitialTexts) {
    const WindowModel model = InitialWindowModel();
    EXPECT_EQ(Find(kReportBox)->text, model.report_text);
    EXPECT_EQ(Find(kAgeBox)->text, model.age_text);
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(Find(OptionButton(index))->text, model.option_captions.at(index)) << index;
    }
}

TEST(TaskStatement, IsFourParagraphsEndingInCrLfQuotingTheAges) {
    const WindowModel model = InitialWindowModel();
    const std::string_view text = model.report_text;
    std::size_t paragraphs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2)) {
        ++paragraphs;
    }
    EXPECT_EQ(paragraphs, 4u);
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "no bare line feeds";
    EXPECT_NE(text.find("кон 30-40; вол 40-50, куче 50-60; маймуна 60-70"), std::string_view::npos);
}

}  // namespace
}  // namespace vrenkodal
