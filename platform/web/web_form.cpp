// SPDX-License-Identifier: MIT
#include "platform/web/web_form.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

#include "platform/web/page.h"

namespace platform::web {

namespace {

// The page's side of each operation, on the element with that id. Strings cross as UTF-8.
EM_JS(void, SetHidden, (const char* id, bool hidden), {
    document.getElementById(UTF8ToString(id)).hidden = hidden;
});
EM_JS(void, Check, (const char* id), { document.getElementById(UTF8ToString(id)).checked = true; });
// A caption is what the user reads: an option's label, a frame's legend, or the element's text.
EM_JS(char*, CaptionOf, (const char* id), {
    const element = document.getElementById(UTF8ToString(id));
    const shown = element.type == "radio"         ? element.parentElement
                  : element.tagName == "FIELDSET" ? element.querySelector("legend")
                                                  : element;
    return allocateUTF8(shown.textContent);
});
EM_JS(char*, ValueOf, (const char* id), {
    return allocateUTF8(document.getElementById(UTF8ToString(id)).value);
});
EM_JS(void, SetValue, (const char* id, const char* value), {
    document.getElementById(UTF8ToString(id)).value = UTF8ToString(value);
});
// A new text node each time: a live region says what is added to it, so the same text is said
// again. Line breaks read as pauses.
EM_JS(void, SetStatus, (const char* id, const char* text), {
    document.getElementById(UTF8ToString(id))
        .replaceChildren(document.createTextNode(UTF8ToString(text)));
});
// Said once, and the runtime stops: no later press runs on a window that no longer matches
// its state.
EM_JS(void, ReportAndAbort, (const char* message), {
    const text = UTF8ToString(message);
    alert(text);
    abort(text);
});

[[noreturn]] void FailAndEnd(const std::string& what) {
    ReportAndAbort(("Vrenkodal: " + what).c_str());
    std::abort();  // not reached
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
    SetHidden(ElementId(ControlOf(control, Wanted::Any).ref).c_str(), !visible);
}

void WebForm::Select(ControlRef option) {
    // One radio group per frame: checking one clears the others.
    Check(ElementId(ControlOf(option, Wanted::OptionButton).ref).c_str());
}

std::string WebForm::Caption(ControlRef control) const {
    return Taken(CaptionOf(ElementId(ControlOf(control, Wanted::Captioned).ref).c_str()));
}

std::string WebForm::Text(ControlRef text_box) const {
    const Control& box = ControlOf(text_box, Wanted::TextBox);
    const std::string id = ElementId(box.ref);
    std::string shown = Taken(ValueOf(id.c_str()));
    const auto written = written_.find(id);
    if (written != written_.end() && AsThePageKeepsIt(written->second, box.multi_line) == shown) {
        return written->second;
    }
    // The user changed it since: line ends as the program writes them.
    return WithCrLf(shown);
}

void WebForm::SetText(ControlRef text_box, std::string_view text) {
    const std::string id = ElementId(ControlOf(text_box, Wanted::TextBox).ref);
    std::string& written = written_[id] = std::string(text);
    SetValue(id.c_str(), written.c_str());
}

void WebForm::Announce(ControlRef text_box) {
    SetStatus(std::string(kAnnouncementId).c_str(), Text(text_box).c_str());
}

}  // namespace platform::web
