// SPDX-License-Identifier: MIT
#include "platform/web/page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform::web {

namespace {

struct MetricTwins {
    std::string_view family;
    std::string_view twins;  // families drawn with the same widths, then a generic family
};

// Where the described font is missing (Linux, ChromeOS, Android), a font with the same
// metrics keeps every caption inside its control.
constexpr MetricTwins kMetricTwins[] = {
    {"Times New Roman", R"("Liberation Serif",Tinos,serif)"},
    {"Arial", R"("Liberation Sans",Arimo,sans-serif)"},
    {"Courier New", R"("Liberation Mono",Cousine,monospace)"},
};

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                break;  // the page keeps line ends as LF; the form gives CR LF back
            default:
                out += c;
        }
    }
    return out;
}

// CSS pixels, written without the C library's %f, which follows the user's locale: Bulgarian
// writes ",".
std::string Pixels(Twips twips) {
    const long hundredths = std::lround(twips * 100.0 / kTwipsPerPixel);
    const long whole = std::labs(hundredths) / 100;
    const long fraction = std::labs(hundredths) % 100;
    std::string out = (hundredths < 0 ? "-" : "") + std::to_string(whole);
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
    }
    return out + "px";
}

std::string Colour(Rgb rgb) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "rgb(%d,%d,%d)", rgb.red, rgb.green, rgb.blue);
    return buffer;
}

std::string FontFamily(std::string_view family) {
    std::string out = "\"" + std::string(family) + "\"";
    for (const MetricTwins& known : kMetricTwins) {
        if (known.family == family) return out + "," + std::string(known.twins);
    }
    return out + ",serif";
}

// Where a control stands: its container's place in the window, since every control is placed
// in the window's own coordinates (see WindowStyle).
struct Origin {
    Twips left = 0;
    Twips top = 0;
};

std::string Style(const Control& control, const Font& window_font, Origin origin) {
    // A frame stays in the flow and is placed by its margins; see WindowStyle.
    const bool frame = control.kind == ControlKind::Frame;
    // A caption grows its control, never the other way round, should a reader's own style
    // space its text out: a label or a button grows down, its lines wrapping at its width; an
    // option's or a frame's caption, on one line, grows it to the right. Text boxes scroll what
    // does not fit, and keep their size.
    const bool box = control.kind == ControlKind::TextBox || frame;
    const bool one_line = control.kind == ControlKind::OptionButton || frame;
    std::string style = std::string(frame ? "margin-left:" : "left:") +
                        Pixels(origin.left + control.left) + (frame ? ";margin-top:" : ";top:") +
                        Pixels(origin.top + control.top) + (one_line ? ";min-width:" : ";width:") +
                        Pixels(control.width) + (box ? ";height:" : ";min-height:") +
                        Pixels(control.height);
    if (control.background) style += ";background:" + Colour(*control.background);
    if (control.font && *control.font != window_font) {
        const Font& font = *control.font;
        if (font.bold) style += ";font-weight:bold";
        if (font.point_size != window_font.point_size) {
            style += ";font-size:" + std::to_string(font.point_size) + "pt";
        }
        if (font.family != window_font.family) style += ";font-family:" + FontFamily(font.family);
    }
    if (control.alignment == Alignment::Center) style += ";text-align:center";
    return style;
}

// The controls of one container, in the order of the keyboard focus.
std::vector<const Control*> InFocusOrder(const Window& window, std::string_view container) {
    std::vector<const Control*> controls;
    for (const Control& control : window.controls) {
        if (control.container == container) controls.push_back(&control);
    }
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        return a->tab_index < b->tab_index;
    });
    return controls;
}

std::string Attributes(const Control& control, const Font& window_font, Origin origin) {
    std::string out = " id=\"" + ElementId(control.ref) + "\"";
    if (!control.visible) out += " hidden";
    if (!control.enabled) out += " disabled";
    if (!control.accessible_name.empty()) {
        out += " aria-label=\"" + Escaped(control.accessible_name) + "\"";
    }
    return out + " style=\"" + Style(control, window_font, origin) + "\"";
}

// The control the focus starts in: the first in the focus order that can take it.
const Control* FirstToFocus(const Window& window, std::string_view container) {
    for (const Control* control : InFocusOrder(window, container)) {
        if (!control->visible || !control->enabled) continue;
        if (control->kind == ControlKind::Frame) {
            if (const Control* inner = FirstToFocus(window, control->ref.name)) return inner;
        } else if (control->kind != ControlKind::Label) {
            return control;
        }
    }
    return nullptr;
}

void AppendControl(std::string& out,
                   const Window& window,
                   const Control& control,
                   Origin origin,
                   const Control* first_focus) {
    // The browser puts the focus there as the page loads, before the program has loaded.
    const char* autofocus = &control == first_focus ? " autofocus" : "";
    const std::string attributes = Attributes(control, window.font, origin) + autofocus;
    const std::string text = Escaped(control.text);
    switch (control.kind) {
        case ControlKind::Label:
            if (control.label_for) {
                out += "<label" + attributes + " for=\"" + ElementId(*control.label_for) + "\">" +
                       text + "</label>\n";
            } else {
                out += "<div" + attributes + ">" + text + "</div>\n";
            }
            break;
        case ControlKind::TextBox: {
            std::string extra = " spellcheck=\"false\" autocomplete=\"off\"";
            if (control.read_only) extra += " readonly";
            // The browser counts maxlength in UTF-16 units, as Windows does.
            if (control.max_length > 0)
                extra += " maxlength=\"" + std::to_string(control.max_length) + "\"";
            if (control.multi_line) {
                // The parser drops one line feed right after the tag; this one, not the text's.
                out += "<textarea" + attributes + extra +
                       (control.vertical_scroll_bar ? " class=\"scrolled\"" : "") + ">\n" + text +
                       "</textarea>\n";
            } else {
                out += "<input type=\"text\"" + attributes + extra + " value=\"" + text + "\">\n";
            }
            break;
        }
        case ControlKind::PushButton:
            out += "<button type=\"button\"" + attributes + ">" + text + "</button>\n";
            break;
        case ControlKind::OptionButton:
            // The label carries the place and the caption, the radio button the state; one
            // group per frame, named after it.
            out += "<label class=\"option\" style=\"" + Style(control, window.font, origin) +
                   (control.enabled ? "" : ";color:GrayText") + "\"><input type=\"radio\" id=\"" +
                   ElementId(control.ref) + "\" name=\"" + std::string(control.container) + "\"" +
                   (control.enabled ? "" : " disabled") + autofocus + ">" + text + "</label>\n";
            break;
        case ControlKind::Frame:
            out += "<fieldset" + attributes + "><legend>" + text + "</legend>\n";
            for (const Control* inner : InFocusOrder(window, control.ref.name)) {
                AppendControl(out,
                              window,
                              *inner,
                              {origin.left + control.left, origin.top + control.top},
                              first_focus);
            }
            out += "</fieldset>\n";
            break;
    }
}

}  // namespace

std::string ElementId(ControlRef control) {
    std::string id(control.name);
    if (control.index != kNoIndex) id += "_" + std::to_string(control.index);
    return id;
}

std::string PageTitle(std::string_view caption) {
    std::string title;
    bool after_blank = false;
    for (const char c : caption) {
        const bool blank = c == ' ';
        title += blank && after_blank ? std::string("\u00A0") : Escaped(std::string_view(&c, 1));
        after_blank = blank;
    }
    return title;
}

std::string WindowStyle(const Window& window) {
    const std::string id = "#" + std::string(window.name);
    std::string style;
    style += id + "{position:relative;overflow:hidden;width:" + Pixels(window.client_width) +
             ";height:" + Pixels(window.client_height) +
             ";background:" + Colour(window.background) +
             ";font:" + (window.font.bold ? "bold " : "") + std::to_string(window.font.point_size) +
             "pt " + FontFamily(window.font.family) + "}\n";
    // Sizes include the borders, as a Windows control's do; nothing brings its own margin.
    style += id + " *{box-sizing:border-box;margin:0;font:inherit}\n";
    style += id + ">*," + id + " .option{position:absolute}\n";
    // A fieldset lays its content out below its legend, which a frame's places do not allow
    // for. So the frame stays in the flow, the only element that does, placed by its margins;
    // its options are placed in the window's coordinates, and still hide with it.
    // Floated, it is as wide as its caption needs, and no narrower than described.
    style += id + ">fieldset{position:static;float:left;padding:0;border:2px groove ThreeDFace}\n";
    // The frame's caption keeps its blanks.
    style += id + " legend{white-space:pre;padding:0}\n";
    // A text area with no grip at all (iOS, Edge 16) only lacks what this takes away.
    style += id + " textarea{resize:none}\n";
    style += id + " .scrolled{overflow-y:scroll}\n";
    // Spaced by margins, not by a flex gap, which browsers before 2021 do not know.
    style += id + " .option{display:flex;align-items:center;white-space:nowrap}\n";
    style += id + " .option input{margin-right:4px}\n";
    // Read by screen readers, drawn nowhere.
    style += id + " .unseen{width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0)}\n";
    // Where the window does not fit the page (a phone held upright, a desktop browser zoomed
    // far in) and on every touch screen, the controls flow into one column, the report box
    // last: each as wide as the column and at least a finger high, the text at its own size.
    // The page's width without its scroll bar decides, so that no width scrolls sideways; a
    // desktop with a mouse and room for the window keeps it exactly.
    const std::string column =
        id + "{width:auto;height:auto;max-width:32rem;margin:0 auto;padding:8px 8px 0;" +
        "display:flex;flex-direction:column}\n" + id + ">*," + id +
        " .option{position:static!important;width:auto!important;height:auto!important;" +
        "min-width:0!important;min-height:0!important;margin:0 0 8px!important}\n" + id +
        " .option{margin:0!important}\n" + id + " input[type=text]," + id +
        " button{min-height:44px!important}\n" + id +
        ">fieldset{padding:0 8px 8px}\n" + id + " textarea{order:1;height:12em!important}\n" + id +
        ">.unseen{position:absolute!important;width:1px!important;height:1px!important}\n";
    // A browser without container queries (before 2023) takes the column from the width of
    // the page with its scroll bar, which leaves only the band of a scroll bar's width exact and
    // scrolling sideways, or from its touch screen.
    style += "body{container-type:inline-size}\n";
    style += "@container (width < " + Pixels(window.client_width) + "){\n" + column + "}\n";
    style += "@media (pointer:coarse),(max-width:" + Pixels(window.client_width - 1) + "){\n" +
             column + "}\n";
    // A phone on its side has room beside, not below: the controls on the left, the frame and
    // the report box on the right, where both lines of the answer show without scrolling.
    style += "@media (pointer:coarse) and (min-width:600px) and (max-height:500px){\n" + id +
             "{max-width:none;display:grid;grid-template-columns:1fr 1fr;grid-column-gap:16px}\n" +
             id + ">*{grid-column:1}\n" + id + ">fieldset{grid-column:2;grid-row:1/span 4}\n" + id +
             " textarea{grid-column:2;grid-row:5/span 2;height:7em!important}\n}\n";
    return style;
}

std::string WindowMarkup(const Window& window, ControlRef report) {
    std::string out = "<main id=\"" + std::string(window.name) + "\" data-report=\"" +
                      ElementId(report) + "\">\n";
    const Control* first_focus = FirstToFocus(window, "");
    for (const Control* control : InFocusOrder(window, ""))
        AppendControl(out, window, *control, {}, first_focus);
    return out + "<div id=\"" + std::string(kAnnouncementId) +
           "\" role=\"status\" class=\"unseen\"></div>\n</main>\n";
}

}  // namespace platform::web
