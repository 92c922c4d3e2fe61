// SPDX-License-Identifier: MIT
#include "window/description.h"

#include <array>

#include "kind/kind_of_years.h"
#include "window/task_statement.h"

// The window's icon: a horseshoe, for the first of the animal years.
#include "window/vrenkodal_icon.xpm"

namespace vrenkodal {

namespace {

using platform::Alignment;
using platform::Control;
using platform::ControlKind;
using platform::Font;
using platform::Rgb;

constexpr Rgb kLavender{192, 192, 255};
constexpr Rgb kGreen{128, 255, 128};
constexpr Rgb kRed{255, 128, 128};
constexpr Rgb kApricot{255, 192, 128};

constexpr Font kWindowFont{"Times New Roman", 12, false};
constexpr Font kOptionFont{"Times New Roman", 12, true};

// The program has no web site of its own; the address is under a reserved domain.
constexpr std::string_view kCaption = "https://www.vrenkodal.example  Vrenkodal";
constexpr std::string_view kFrameCaption = "      Вид години     ";
constexpr std::string_view kTitle = "Животинските години на човека";
constexpr std::string_view kAgePrompt = "Възраст [1..70]:";
constexpr std::string_view kShowCaption = "Изведи";
constexpr std::string_view kClearCaption = "Чисти";
constexpr std::string_view kReportName = "Отчет";

// The five options sit one under another inside the frame, in age order.
constexpr platform::Twips kOptionLeft = 240;
constexpr platform::Twips kFirstOptionTop = 360;
constexpr platform::Twips kOptionPitch = 360;
constexpr int kFirstOptionTab = 7;

constexpr Control OptionControl(KindOfYears kind) {
    const int index = IndexOf(kind);
    Control option{.ref = OptionButton(index),
                   .kind = ControlKind::OptionButton,
                   .container = "Frame1",
                   .left = kOptionLeft,
                   .top = kFirstOptionTop + index * kOptionPitch,
                   .width = 1695,
                   .height = 285,
                   .background = kLavender,
                   .font = kOptionFont,
                   // Only the show command selects them: the user can neither click nor
                   // reach them.
                   .enabled = false,
                   .tab_index = kFirstOptionTab + index};
    return option;
}

// Option captions are not constant expressions (they live with the kinds), so the table is
// filled once on first use.
std::array<Control, 12> BuildControls() {
    std::array<Control, 12> controls = {
        Control{.ref = {"Frame1"},
                .kind = ControlKind::Frame,
                .text = kFrameCaption,
                .left = 3480,
                .top = 480,
                .width = 2295,
                .height = 2175,
                .background = kLavender,
                .visible = false,
                .tab_index = 6},
        OptionControl(KindOfYears::Monkey),
        OptionControl(KindOfYears::Dog),
        OptionControl(KindOfYears::Ox),
        OptionControl(KindOfYears::Horse),
        OptionControl(KindOfYears::Human),
        Control{.ref = CommandButton(1),
                .kind = ControlKind::PushButton,
                .text = kClearCaption,
                .left = 840,
                .top = 2280,
                .width = 1335,
                .height = 375,
                .background = kRed,
                .tab_index = 5},
        Control{.ref = CommandButton(0),
                .kind = ControlKind::PushButton,
                .text = kShowCaption,
                .left = 840,
                .top = 1200,
                .width = 1335,
                .height = 375,
                .background = kGreen,
                .tab_index = 4},
        Control{.ref = kAgeBox,
                .kind = ControlKind::TextBox,
                .left = 1920,
                .top = 480,
                .width = 735,
                .height = 405,
                .tab_index = 3,
                .max_length = 2,
                .alignment = Alignment::Center},
        // The report box holds the program's own texts; the user may select and copy them.
        Control{.ref = kReportBox,
                .kind = ControlKind::TextBox,
                .text = kTaskStatement,
                .left = 120,
                .top = 2880,
                .width = 6735,
                .height = 1815,
                .tab_index = 0,
                .multi_line = true,
                .read_only = true,
                .vertical_scroll_bar = true,
                .accessible_name = kReportName},
        Control{.ref = {"Label2"},
                .kind = ControlKind::Label,
                .text = kAgePrompt,
                .left = 120,
                .top = 480,
                .width = 1815,
                .height = 375,
                .background = kGreen,
                .tab_index = 2,
                .label_for = kAgeBox},
        Control{.ref = {"Label1", 0},
                .kind = ControlKind::Label,
                .text = kTitle,
                .left = 960,
                .top = 0,
                .width = 4575,
                .height = 375,
                .background = kApricot,
                .tab_index = 1,
                .alignment = Alignment::Center},
    };
    for (Control& control : controls) {
        if (control.ref.name == kOptionArray) {
            control.text = Caption(static_cast<KindOfYears>(control.ref.index));
        }
    }
    return controls;
}

}  // namespace

const platform::Window& MainWindow() {
    static const std::array<Control, 12> controls = BuildControls();
    static const platform::Window window{
        .name = "Vrenkodal",
        .caption = kCaption,
        .icon = vrenkodal_icon,
        .client_width = 6915,
        .client_height = 5175,
        .background = kLavender,
        .font = kWindowFont,
        .controls = controls,
    };
    return window;
}

}  // namespace vrenkodal
