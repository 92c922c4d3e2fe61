// SPDX-License-Identifier: MIT
#pragma once

// What a test does to the real window and what it reads back from the screen, the same for
// every platform. Each platform's driver does it the way that platform's user would: real key
// and mouse input, the system clipboard, pixels as drawn.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"
#include "window/description.h"

namespace conformance {

// In pixels at 96 dpi, relative to the control's container.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<platform::Rgb> pixels;  // row by row
    platform::Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

enum class Key { Tab, ShiftTab, Space, Backspace, Enter };

// The colours of a system in high contrast, by what they colour: the window and its labels,
// a text field, a push button's face.
enum class SystemColour { Face, Field, ButtonFace };

// UTF-16 as UTF-8, a pair of surrogates as one character.
inline std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t c = text[at];
        if (c >= 0xD800 && c < 0xDC00 && at + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++at] - 0xDC00);
        }
        const auto tail = [&out, c](int shift) { out += char(0x80 | (c >> shift & 0x3F)); };
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6), tail(0);
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12), tail(6), tail(0);
        } else {
            out += char(0xF0 | c >> 18), tail(12), tail(6), tail(0);
        }
    }
    return out;
}

// The window itself, where a control is expected.
inline constexpr platform::ControlRef kWindow{"Vrenkodal"};

class WindowDriver {
  public:
    virtual ~WindowDriver() = default;

    virtual Rect Geometry(platform::ControlRef control) = 0;  // kWindow: the client area
    virtual bool FixedSize() = 0;
    virtual bool Minimisable() = 0;
    virtual bool Maximisable() = 0;
    virtual std::string Title() = 0;
    virtual int IconSize() = 0;  // 0 without an icon
    // What the platform's windows do at the ends of the tab order, which the suite expects
    // of this one: a desktop window cycles within itself; a page lets the focus go on to the
    // browser after its last control and before its first.
    virtual bool TabCyclesWithin() = 0;

    // What the screen shows of a control (kWindow: of the client area), at 96 dpi.
    virtual Image Grab(platform::ControlRef control) = 0;
    // The caption, or a text box's text with CR LF line ends, as the platform reads it back.
    std::string Shown(platform::ControlRef control) {
        for (const platform::Control& described : vrenkodal::MainWindow().controls) {
            if (described.ref == control && described.kind == platform::ControlKind::TextBox) {
                return Form().Text(control);
            }
        }
        return Form().Caption(control);
    }
    virtual bool Visible(platform::ControlRef control) = 0;  // on screen, with its containers
    virtual bool Enabled(platform::ControlRef control) = 0;
    virtual bool Checked(platform::ControlRef option) = 0;
    virtual bool HasSelectedText(platform::ControlRef text_box) = 0;
    virtual std::optional<platform::ControlRef> Focused() = 0;
    virtual std::string AccessibleName(platform::ControlRef control) = 0;
    // What the window has told a screen reader since it opened, unasked, each as the platform
    // hands it over: a notification shown (Qt's AT-SPI), a live region changed (Win32, the
    // page).
    virtual std::vector<std::string> Announcements() = 0;

    // Turns the system's high-contrast setting on or off while the window is open, as a user
    // would, with system colours each distinct from the window's own; and what they are.
    virtual void SetHighContrast(bool on) = 0;
    virtual platform::Rgb System(SystemColour colour) = 0;

    // One character, as a key press that produces it, to the control with the focus.
    virtual void Type(std::u16string_view character) = 0;
    virtual void Press(Key key) = 0;
    // Puts the text on the system clipboard and presses Ctrl+V.
    virtual void Paste(std::u16string_view text) = 0;
    virtual void Click(platform::ControlRef control) = 0;  // with the mouse, in its middle
    virtual void FocusOn(platform::ControlRef control) = 0;

    virtual platform::Form& Form() = 0;
};

// A new window with a fresh state, shown and active. Each platform's driver defines it.
std::unique_ptr<WindowDriver> OpenWindow();

}  // namespace conformance
