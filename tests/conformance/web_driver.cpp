// SPDX-License-Identifier: MIT
// The window as a page in headless Chromium, driven through W3C WebDriver: key and pointer
// actions as a user's, element screenshots for colours, and the page's own form, reached from
// a script, for what the program reads and writes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/web/page.h"
#include "tests/conformance/window_driver.h"
#include "tests/web/browser_tests.h"
#include "tests/web/webdriver.h"
#include "window/description.h"

namespace conformance {

namespace {

using platform::ControlRef;
using webdriver::Json;

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;

webdriver::Session* session = nullptr;

// The control's place in the description, which the page's form takes for a control.
int IndexOf(ControlRef control) {
    const auto& controls = vrenkodal::MainWindow().controls;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index].ref == control) return static_cast<int>(index);
    }
    throw std::invalid_argument("no control " + platform::web::ElementId(control));
}

// Everything a check reads, taken from the page in one script after each action: a test reads
// many properties between two actions, and each round trip to the browser costs a millisecond.
struct Snapshot {
    struct Control {
        bool visible, enabled, checked, selected;
        std::string shown;  // a text box's text as the form reads it, else the caption
    };
    std::vector<Control> controls;
    std::string focus;  // the focused element's id
};

constexpr const char* kSnapshotScript = R"(
const kinds = arguments[0];
return {
  focus: document.activeElement ? document.activeElement.id : "",
  controls: kinds.map((textBox, index) => {
    const e = document.getElementById(arguments[1][index]);
    return [e.checkVisibility(), !e.matches(":disabled"), !!e.checked,
            typeof e.selectionStart == "number" && e.selectionStart != e.selectionEnd,
            textBox ? vrenkodalForm.text(index) : vrenkodalForm.caption(index)];
  })
};)";

// Where an element stands in the page; an option stands as the label that holds its radio
// button and its caption. A hidden element has no box: it is measured shown, for
// that moment, before the page paints again.
constexpr const char* kMeasure = R"(
function shape(id) {
  const e = document.getElementById(id);
  return e.type == "radio" ? e.parentElement : e;
}
function measure(element) {
  const hidden = [];
  for (let e = element; e; e = e.parentElement) if (e.hidden) hidden.push(e);
  hidden.forEach(e => e.hidden = false);
  const rect = element.getBoundingClientRect();
  hidden.forEach(e => e.hidden = true);
  return rect;
})";

class WebDriver;

// The program's form, in the page: the driver's own reads and writes go through it.
class PageForm final : public platform::Form {
  public:
    explicit PageForm(WebDriver& driver) : driver_(driver) {}

    void SetVisible(ControlRef control, bool visible) override {
        Call("vrenkodalForm.setVisible(arguments[0], arguments[1])", {IndexOf(control), visible});
    }
    void Select(ControlRef option) override {
        Call("vrenkodalForm.select(arguments[0])", {IndexOf(option)});
    }
    // Both as the window's last reading took them: a text box's text, another control's caption.
    std::string Caption(ControlRef control) const override;
    std::string Text(ControlRef text_box) const override { return Caption(text_box); }
    void SetText(ControlRef text_box, std::string_view text) override {
        Call("vrenkodalForm.setText(arguments[0], arguments[1])", {IndexOf(text_box), text});
    }
    void Announce(ControlRef text_box) override {
        Call("vrenkodalForm.announce(arguments[0])", {IndexOf(text_box)});
    }

  private:
    void Call(std::string_view script, const Json& arguments);

    WebDriver& driver_;
};

class WebDriver final : public WindowDriver {
  public:
    WebDriver() : form_(*this) {
        Json ids = Json::array();
        for (const platform::Control& control : vrenkodal::MainWindow().controls) {
            ids.push_back(platform::web::ElementId(control.ref));
            text_boxes_.push_back(control.kind == platform::ControlKind::TextBox);
        }
        ids_ = ids;
        session->SetWindowSize(kDesktopWidth, kDesktopHeight);
        session->OpenProgram("file://" VRENKODAL_WEB_PAGE);
        // A live region says what is added to it: each addition, as the browser sees it.
        session->Execute(R"(window.heard = [];
            new MutationObserver(changes => changes.forEach(change => change.addedNodes.forEach(
                added => heard.push(added.textContent)))).observe(
                document.querySelector("[role=status][id]"), {childList: true});)");
    }

    Rect Geometry(ControlRef control) override {
        if (control == kWindow) {
            const Json size = MainSize();
            return {0, 0, size[0].get<int>(), size[1].get<int>()};
        }
        // Relative to the container: the frame for an option, else the window.
        const platform::Control& described = vrenkodal::MainWindow().controls[IndexOf(control)];
        const std::string container = described.container.empty()
                                          ? std::string(vrenkodal::MainWindow().name)
                                          : std::string(described.container);
        const Json rect = session->Evaluate(std::string(kMeasure) + R"(
            const r = measure(shape(arguments[0]));
            const c = measure(document.getElementById(arguments[1]));
            return [r.left - c.left, r.top - c.top, r.width, r.height].map(Math.round);)",
                                            {platform::web::ElementId(control), container});
        return {rect[0].get<int>(), rect[1].get<int>(), rect[2].get<int>(), rect[3].get<int>()};
    }
    bool TabCyclesWithin() override { return false; }
    bool FixedSize() override {
        const Json before = MainSize();
        session->SetWindowSize(kDesktopWidth + 300, kDesktopHeight + 200);
        const Json after = MainSize();
        session->SetWindowSize(kDesktopWidth, kDesktopHeight);
        return before == after;
    }
    // The browser's window minimises, with the page in it.
    bool Minimisable() override {
        try {
            session->Window("minimize");
        } catch (const std::runtime_error&) {
            return false;
        }
        session->SetWindowSize(kDesktopWidth, kDesktopHeight);
        return true;
    }
    // Maximising the browser's window would grow a window that can grow.
    bool Maximisable() override {
        const Json before = MainSize();
        session->Window("maximize");
        const Json after = MainSize();
        session->SetWindowSize(kDesktopWidth, kDesktopHeight);
        return before != after;
    }
    // The page keeps the caption's second blank as a no-break space, since a title collapses
    // blanks; a reader sees two blanks.
    std::string Title() override {
        std::string title = session->Title();
        for (std::size_t at; (at = title.find("\u00A0")) != std::string::npos;) {
            title.replace(at, 2, " ");
        }
        return title;
    }
    int IconSize() override {
        return session
            ->ExecuteAsync(R"(
                const done = arguments[0];
                const link = document.querySelector("link[rel=icon]");
                if (!link) return done(0);
                const icon = new Image();
                icon.onload = () => done(icon.naturalWidth == icon.naturalHeight ? icon.naturalWidth : 0);
                icon.onerror = () => done(0);
                icon.src = link.href;)")
            .get<int>();
    }

    Image Grab(ControlRef control) override {
        const webdriver::Png png = session->ElementScreenshot(Element(control));
        Image image{png.width, png.height, {}};
        for (std::size_t at = 0; at + 2 < png.rgb.size(); at += 3) {
            image.pixels.push_back({png.rgb[at], png.rgb[at + 1], png.rgb[at + 2]});
        }
        return image;
    }
    bool Visible(ControlRef control) override { return Of(control).visible; }
    bool Enabled(ControlRef control) override { return Of(control).enabled; }
    bool Checked(ControlRef option) override { return Of(option).checked; }
    bool HasSelectedText(ControlRef text_box) override { return Of(text_box).selected; }
    std::optional<ControlRef> Focused() override {
        for (const platform::Control& control : vrenkodal::MainWindow().controls) {
            if (platform::web::ElementId(control.ref) == Current().focus) return control.ref;
        }
        return std::nullopt;
    }
    std::string AccessibleName(ControlRef control) override {
        // An option's name is its radio button's, which its label gives.
        const Json element = session->Execute("return document.getElementById(arguments[0])",
                                              {platform::web::ElementId(control)});
        return session->ComputedLabel(element);
    }
    // The browser's forced colours, which it turns on when the system is in high contrast;
    // dark ones, as most such themes are, so that every colour differs from the window's.
    void SetHighContrast(bool on) override {
        session->DevTools("Emulation.setEmulatedMedia",
                          {{"features",
                            {{{"name", "forced-colors"}, {"value", on ? "active" : "none"}},
                             {{"name", "prefers-color-scheme"}, {"value", on ? "dark" : ""}}}}});
    }
    platform::Rgb System(SystemColour colour) override {
        constexpr const char* kNames[] = {"Canvas", "Field", "ButtonFace"};
        const Json rgb = session->Evaluate(R"(
            const probe = document.createElement("div");
            probe.style.backgroundColor = arguments[0];
            document.body.append(probe);
            const value = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
            probe.remove();
            return value;)",
                                           {kNames[static_cast<int>(colour)]});
        return {rgb[0].get<std::uint8_t>(), rgb[1].get<std::uint8_t>(), rgb[2].get<std::uint8_t>()};
    }

    std::vector<std::string> Announcements() override {
        return session->Execute("return heard").get<std::vector<std::string>>();
    }

    void Type(std::u16string_view character) override { Keys({Utf8(character)}); }
    void Press(Key key) override {
        constexpr const char* kTab = "\uE004";
        switch (key) {
            case Key::Tab:
                return Keys({kTab});
            case Key::ShiftTab:
                return Keys({kTab}, "\uE008");
            case Key::Space:
                return Keys({" "});
            case Key::Backspace:
                return Keys({"\uE003"});
            case Key::Enter:
                return Keys({"\uE007"});
        }
    }
    // Headless Chromium has no system clipboard to paste from; DevTools enters the text through
    // the same editing path as a paste, so the box's own limit applies.
    // A real Ctrl+V pastes only into a text box that takes text; DevTools would insert at the
    // page's last caret even after the focus has left its box.
    void Paste(std::u16string_view text) override {
        const bool editable = session->Evaluate(R"(
            const e = document.activeElement;
            return (e.tagName == "TEXTAREA" || (e.tagName == "INPUT" && e.type == "text")) &&
                   !e.readOnly && !e.disabled;)");
        if (editable) session->DevTools("Input.insertText", {{"text", Utf8(text)}});
        snapshot_.reset();
    }
    // At the middle of the control's place: a hidden control is not there, and the click
    // reaches whatever is. The place is measured once, since the window's layout is fixed. The
    // press and the release go through DevTools, as chromedriver's own actions send them, but
    // without the pointer's move and the actions' bookkeeping, which took half the time.
    void Click(ControlRef control) override {
        auto [middle, measured] = middles_.try_emplace(IndexOf(control));
        if (measured) {
            middle->second = session->Evaluate(std::string(kMeasure) + R"(
                const r = measure(shape(arguments[0]));
                return [r.left + r.width / 2, r.top + r.height / 2].map(Math.floor);)",
                                               {platform::web::ElementId(control)});
        }
        for (const char* type : {"mousePressed", "mouseReleased"}) {
            session->DevTools("Input.dispatchMouseEvent",
                              {{"type", type},
                               {"x", middle->second[0]},
                               {"y", middle->second[1]},
                               {"button", "left"},
                               {"clickCount", 1}});
        }
        snapshot_.reset();
    }
    void FocusOn(ControlRef control) override {
        session->Evaluate("document.getElementById(arguments[0]).focus()",
                          {platform::web::ElementId(control)});
        snapshot_.reset();
    }

    platform::Form& Form() override { return form_; }

  private:
    friend class PageForm;  // reads the window's last reading, and marks it old after a write

    // A reference to the control's element, for WebDriver's commands on elements.
    static Json Element(ControlRef control) {
        const std::string id = control == kWindow ? std::string(vrenkodal::MainWindow().name)
                                                  : platform::web::ElementId(control);
        return session->Execute(std::string(kMeasure) + "return shape(arguments[0]);", {id});
    }
    Json MainSize() {
        return session->Evaluate(
            "const r = document.getElementById(arguments[0])"
            ".getBoundingClientRect();"
            "return [Math.round(r.width), Math.round(r.height)];",
            {std::string(vrenkodal::MainWindow().name)});
    }
    const Snapshot& Current() {
        if (!snapshot_) {
            const Json seen = session->Evaluate(kSnapshotScript, {text_boxes_, ids_});
            Snapshot snapshot{{}, seen.at("focus").get<std::string>()};
            for (const Json& control : seen.at("controls")) {
                snapshot.controls.push_back({control[0].get<bool>(),
                                             control[1].get<bool>(),
                                             control[2].get<bool>(),
                                             control[3].get<bool>(),
                                             control[4].get<std::string>()});
            }
            snapshot_ = std::move(snapshot);
        }
        return *snapshot_;
    }
    const Snapshot::Control& Of(ControlRef control) {
        return Current().controls.at(IndexOf(control));
    }
    void Keys(const std::vector<std::string>& keys, std::string_view modifier = {}) {
        session->Keys(keys, modifier);
        snapshot_.reset();
    }

    Json ids_;
    std::vector<bool> text_boxes_;
    std::optional<Snapshot> snapshot_;
    std::map<int, Json> middles_;  // each clicked control's middle, by its place
    PageForm form_;
};

}  // namespace

std::string PageForm::Caption(ControlRef control) const {
    return driver_.Current().controls.at(IndexOf(control)).shown;
}

void PageForm::Call(std::string_view script, const Json& arguments) {
    session->Evaluate(script, arguments);
    driver_.snapshot_.reset();
}

std::unique_ptr<WindowDriver> OpenWindow() { return std::make_unique<WebDriver>(); }

}  // namespace conformance

int main(int argc, char** argv) {
    return webdriver::RunTestsInBrowser(
        argc, argv, conformance::session, conformance::kDesktopWidth, conformance::kDesktopHeight);
}
