// SPDX-License-Identifier: MIT
#pragma once

// What the program takes from the windowing toolkit: a window built from a description, the
// press of a push button, and a few properties of the controls. Toolkit-free, so the window
// binds to it without knowing which toolkit lies beneath.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Positions and sizes are in twips, 1440 per inch: 15 twips are one pixel at 96 dpi.
using Twips = int;
inline constexpr Twips kTwipsPerPixel = 15;

// A control by name, and by element index when it belongs to a control array.
inline constexpr int kNoIndex = -1;
struct ControlRef {
    std::string_view name{};
    int index = kNoIndex;
    bool operator==(const ControlRef&) const = default;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct Font {
    std::string_view family{};
    int point_size = 0;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

enum class ControlKind { Frame, OptionButton, PushButton, TextBox, Label };
enum class Alignment { Left, Center };

struct Control {
    ControlRef ref{};
    ControlKind kind = ControlKind::Label;
    std::string_view container{};  // the frame that holds it; empty for the window itself
    std::string_view text{};       // caption or initial text, UTF-8, CR LF line ends
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    std::optional<Rgb> background{};  // none: the toolkit's default for the kind
    std::optional<Font> font{};       // none: the window's font
    bool visible = true;
    bool enabled = true;
    int tab_index = 0;  // place in the focus order; controls that take no focus are passed over
    // Text boxes only.
    bool multi_line = false;
    bool read_only = false;
    bool vertical_scroll_bar = false;
    int max_length = 0;  // characters; 0 for no limit
    Alignment alignment = Alignment::Left;
    // For assistive technology: the control a label names, and a name for unlabelled ones.
    std::optional<ControlRef> label_for{};
    std::string_view accessible_name{};
};

struct Window {
    std::string_view name{};
    std::string_view caption{};
    std::span<const char* const> icon{};  // 32 × 32, as the lines of an XPM image
    Twips client_width = 0;
    Twips client_height = 0;
    Rgb background{};
    Font font{};
    std::span<const Control> controls{};  // in the order the window creates them
};

// The controls' properties, as the program reads and writes them while the window runs.
class Form {
  public:
    virtual ~Form() = default;
    virtual void SetVisible(ControlRef control, bool visible) = 0;
    // Selects an option button; the others in its container become unselected.
    virtual void Select(ControlRef option) = 0;
    virtual std::string Caption(ControlRef control) const = 0;
    // Reads return exactly the text last written, each CR LF as two characters.
    virtual std::string Text(ControlRef text_box) const = 0;
    virtual void SetText(ControlRef text_box, std::string_view text) = 0;
    // Tells assistive technology, politely, what the text box now holds: a screen reader says
    // it once per call, even when the text is unchanged, without the focus moving there and
    // without cutting into what the user is doing. A platform that cannot must say why in its
    // own code.
    virtual void Announce(ControlRef text_box) = 0;
};

// Called once per press of a push button, on the one user-interface thread.
using PressHandler = std::function<void(Form& form, ControlRef button)>;

// Creates the window from its description, shows it and handles events until it is closed;
// returns the program's exit status. Takes the toolkit's own command-line options and ignores
// any others. Without a display it says so in one line and returns non-zero.
int Start(int argc, char** argv, const Window& window, PressHandler on_press);

}  // namespace platform
