// SPDX-License-Identifier: MIT
// What the page's markup must hold that the browser tests cannot tell apart: texts escaped,
// and places written the same in every locale. Places, focus order, states and names are
// checked in the page itself, in Chromium (tests/conformance, tests/web).
#include <string>

#include <gtest/gtest.h>

#include "platform/web/page.h"
#include "window/description.h"

namespace platform::web {
namespace {

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
    const std::string markup = WindowMarkup(window, {"Text1"});
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
