// SPDX-License-Identifier: MIT
// The window as the page's own controls: the markup read back as a browser would meet it.
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/web/page.h"
#include "window/description.h"

namespace platform::web {
namespace {

// The opening tag of the element with this id; for a radio button, the label around it, which
// carries the place.
std::string TagOf(const std::string& markup, std::string_view id) {
    const std::size_t at = markup.find("id=\"" + std::string(id) + "\"");
    if (at == std::string::npos) return {};
    std::size_t start = markup.rfind('<', at);
    if (markup.compare(start, 18, "<input type=\"radio") == 0) start = markup.rfind('<', start - 1);
    return markup.substr(start, markup.find('>', start) - start + 1);
}

// The declarations of a tag's style attribute, by property.
std::map<std::string, std::string> StyleOf(const std::string& tag) {
    std::map<std::string, std::string> declarations;
    const std::size_t start = tag.find("style=\"") + 7;
    std::istringstream style(tag.substr(start, tag.find('"', start) - start));
    for (std::string declaration; std::getline(style, declaration, ';');) {
        const std::size_t colon = declaration.find(':');
        declarations[declaration.substr(0, colon)] = declaration.substr(colon + 1);
    }
    return declarations;
}

std::string Pixels(int twips) { return std::to_string(twips / 15) + "px"; }

std::vector<std::string> IdsInOrder(const std::string& markup) {
    std::vector<std::string> ids;
    for (std::size_t at = markup.find(" id=\""); at != std::string::npos;
         at = markup.find(" id=\"", at + 1)) {
        const std::size_t start = at + 5;
        ids.push_back(markup.substr(start, markup.find('"', start) - start));
    }
    return ids;
}

class EveryControl : public testing::TestWithParam<std::size_t> {};

// Each control at its described place in CSS pixels of 1/96 inch (15 twips), counted from the
// window's corner: an option's place is its frame's place plus its own. The frame itself is
// placed by its margins.
TEST_P(EveryControl, StandsAtItsPlaceInPixels) {
    const Window& window = vrenkodal::MainWindow();
    const Control& control = window.controls[GetParam()];
    int left = control.left;
    int top = control.top;
    for (const Control& container : window.controls) {
        if (container.ref.name == control.container) {
            left += container.left;
            top += container.top;
        }
    }
    auto style = StyleOf(TagOf(WindowMarkup(window), ElementId(control.ref)));
    const bool frame = control.kind == ControlKind::Frame;
    EXPECT_EQ(style[frame ? "margin-left" : "left"], Pixels(left));
    EXPECT_EQ(style[frame ? "margin-top" : "top"], Pixels(top));
    EXPECT_EQ(style["width"], Pixels(control.width));
    EXPECT_EQ(style["height"], Pixels(control.height));
}

INSTANTIATE_TEST_SUITE_P(MainWindow,
                         EveryControl,
                         testing::Range<std::size_t>(0, vrenkodal::MainWindow().controls.size()),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             return ElementId(vrenkodal::MainWindow().controls[info.param].ref);
                         });

// Tab follows the page's element order, so the order is the description's focus order.
TEST(WebPage, ElementsStandInTheFocusOrder) {
    const std::vector<std::string> expected = {"Vrenkodal",
                                               "Text1_0",
                                               "Label1_0",
                                               "Label2",
                                               "Text2",
                                               "Command1_0",
                                               "Command1_1",
                                               "Frame1",
                                               "Option1_0",
                                               "Option1_1",
                                               "Option1_2",
                                               "Option1_3",
                                               "Option1_4"};
    EXPECT_EQ(IdsInOrder(WindowMarkup(vrenkodal::MainWindow())), expected);
}

// What a browser and a screen reader take from the markup alone.
TEST(WebPage, ControlsCarryTheirStatesAndNames) {
    const std::string markup = WindowMarkup(vrenkodal::MainWindow());
    struct Row {
        const char* id;
        const char* attribute;
    };
    for (const Row& row : {Row{"Text2", "maxlength=\"2\""},
                           Row{"Text1_0", "readonly"},
                           Row{"Text1_0", "aria-label=\"Отчет\""},
                           Row{"Text1_0", "class=\"scrolled\""},
                           Row{"Label2", "for=\"Text2\""},
                           Row{"Text1_0", "autofocus"},
                           Row{"Frame1", "hidden"},
                           Row{"Command1_0", "background:rgb(128,255,128)"}}) {
        EXPECT_NE(TagOf(markup, row.id).find(row.attribute), std::string::npos)
            << row.id << " lacks " << row.attribute;
    }
    // The focus starts in one place only.
    EXPECT_EQ(markup.find(" autofocus"), markup.rfind(" autofocus"));
    for (int index = 0; index < 5; ++index) {
        const std::string option =
            "id=\"Option1_" + std::to_string(index) + "\" name=\"Frame1\" disabled";
        EXPECT_NE(markup.find(option), std::string::npos) << option;
    }
}

// Texts reach the page as text, never as markup; line ends as the page keeps them; a place
// between whole pixels written with a point in every locale.
TEST(WebPage, TextsAreEscapedAndPlacesExact) {
    const Control controls[] = {
        {.ref = {"Label1"},
         .kind = ControlKind::Label,
         .text = "<b>\"Tom & Jerry\"</b>",
         .left = 20},
        {.ref = {"Text1"}, .kind = ControlKind::TextBox, .text = "a\r\nb\r\n", .multi_line = true},
    };
    const Window window{.name = "W", .controls = controls};
    const std::string markup = WindowMarkup(window);
    EXPECT_NE(markup.find(">&lt;b&gt;&quot;Tom &amp; Jerry&quot;&lt;/b&gt;<"), std::string::npos);
    EXPECT_EQ(markup.find("<b>"), std::string::npos);
    EXPECT_NE(markup.find(">\na\nb\n</textarea>"), std::string::npos);
    EXPECT_NE(markup.find("left:1.33px"), std::string::npos) << markup;
}

TEST(WebPage, TitleKeepsEveryBlank) {
    EXPECT_EQ(PageTitle("https://www.vrenkodal.example  Vrenkodal"),
              "https://www.vrenkodal.example \u00A0Vrenkodal");
    EXPECT_EQ(PageTitle("a   <b>"), "a \u00A0\u00A0&lt;b&gt;");
}

}  // namespace
}  // namespace platform::web
