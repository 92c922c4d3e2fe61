// SPDX-License-Identifier: MIT
#include "platform/web/web_form.h"

#include <cstdlib>
#include <memory>

#include "platform/web/page.h"

// The page's side of each operation, in form.js: each reads or writes the element with that id.
extern "C" {
void vrenkodal_set_hidden(const char* id, bool hidden);
void vrenkodal_check(const char* id);
char* vrenkodal_caption_of(const char* id);
char* vrenkodal_value_of(const char* id);
void vrenkodal_set_value(const char* id, const char* value);
void vrenkodal_set_status(const char* id, const char* text);
[[noreturn]] void vrenkodal_report_and_abort(const char* message);
}

namespace platform::web {

namespace {

[[noreturn]] void FailAndEnd(const std::string& what) {
    vrenkodal_report_and_abort(("Vrenkodal: " + what).c_str());
}

std::string Taken(char* text) {
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return owned.get();
}

// A text area keeps CR LF, and a lone CR, as LF; a one-line input drops line breaks.
std::string AsThePageKeepsIt(std::string_view text, bool multi_line) {
    std::string kept;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool line_break = text[at] == '\r' || text[at] == '\n';
        if (!line_break) {
            kept += text[at];
        } else if (multi_line &&
                   !(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            kept += '\n';
        }
    }
    return kept;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

const Control& WebForm::ControlOf(ControlRef control, Wanted wanted) const {
    for (const Control& described : description_.controls) {
        if (described.ref != control) continue;
        const ControlKind kind = described.kind;
        const bool fits = wanted == Wanted::Any ||
                          (wanted == Wanted::OptionButton && kind == ControlKind::OptionButton) ||
                          (wanted == Wanted::TextBox && kind == ControlKind::TextBox) ||
                          (wanted == Wanted::Captioned && kind != ControlKind::TextBox);
        if (fits) return described;
    }
    constexpr const char* kNames[] = {"control", "option button", "text box", "captioned control"};
    FailAndEnd(std::string("the window has no ") + kNames[static_cast<int>(wanted)] + " " +
               ElementId(control));
}

void WebForm::SetVisible(ControlRef control, bool visible) {
    vrenkodal_set_hidden(ElementId(ControlOf(control, Wanted::Any).ref).c_str(), !visible);
}

void WebForm::Select(ControlRef option) {
    // One radio group per frame: checking one clears the others.
    vrenkodal_check(ElementId(ControlOf(option, Wanted::OptionButton).ref).c_str());
}

std::string WebForm::Caption(ControlRef control) const {
    return Taken(
        vrenkodal_caption_of(ElementId(ControlOf(control, Wanted::Captioned).ref).c_str()));
}

std::size_t WebForm::PlaceOf(const Control& control) const {
    return static_cast<std::size_t>(&control - description_.controls.data());
}

std::string WebForm::Text(ControlRef text_box) const {
    const Control& box = ControlOf(text_box, Wanted::TextBox);
    std::string shown = Taken(vrenkodal_value_of(ElementId(box.ref).c_str()));
    const std::optional<std::string>& written = written_[PlaceOf(box)];
    if (written && AsThePageKeepsIt(*written, box.multi_line) == shown) return *written;
    // The user changed it since: line ends as the program writes them.
    return WithCrLf(shown);
}

void WebForm::SetText(ControlRef text_box, std::string_view text) {
    const Control& box = ControlOf(text_box, Wanted::TextBox);
    const std::string& written = written_[PlaceOf(box)].emplace(text);
    vrenkodal_set_value(ElementId(box.ref).c_str(), written.c_str());
}

void WebForm::Announce(ControlRef text_box) {
    vrenkodal_set_status(std::string(kAnnouncementId).c_str(), Text(text_box).c_str());
}

}  // namespace platform::web
