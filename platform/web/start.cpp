// SPDX-License-Identifier: MIT
#include <emscripten.h>

#include <string>
#include <utility>

#include "platform/form.h"
#include "platform/web/page.h"
#include "platform/web/web_form.h"

// The page's side, in form.js.
extern "C" {
void vrenkodal_listen_for_presses(const char* id, int control);
void vrenkodal_ready();
}

namespace platform {

namespace {

// What the page's presses reach, kept for as long as the page lives.
struct Shown {
    const Window& window;
    web::WebForm form;
    PressHandler on_press;
};
Shown* shown = nullptr;

ControlRef Described(int control) {
    return shown->window.controls[static_cast<std::size_t>(control)].ref;
}
const char* Returned(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}
}  // namespace

// The page calls back with the index of the pressed control in the description.
extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_press(int control) {
    shown->on_press(shown->form, Described(control));
}

// For the tests' driver, through the page's vrenkodalForm (form.js): the form's own reads and
// writes, so a test sees what the program sees. A text returned stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vrenkodal_form_text(int control) {
    return Returned(shown->form.Text(Described(control)));
}
extern "C" EMSCRIPTEN_KEEPALIVE const char* vrenkodal_form_caption(int control) {
    return Returned(shown->form.Caption(Described(control)));
}
extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_form_set_text(int control, const char* text) {
    shown->form.SetText(Described(control), text);
}
extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_form_set_visible(int control, bool visible) {
    shown->form.SetVisible(Described(control), visible);
}
extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_form_select(int control) {
    shown->form.Select(Described(control));
}
extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_form_announce(int control) {
    shown->form.Announce(Described(control));
}

// The page already shows the window, with the focus where the focus order starts (see
// page.h): the program binds to its buttons and leaves the runtime alive for the presses to
// come. The caller's locals, the press handler's state among them, stay valid: the runtime is
// left without unwinding their stack.
int Start(int /*argc*/, char** /*argv*/, const Window& window, PressHandler on_press) {
    static Shown kept{window, web::WebForm(window), std::move(on_press)};
    shown = &kept;
    for (std::size_t index = 0; index < window.controls.size(); ++index) {
        const Control& control = window.controls[index];
        if (control.kind == ControlKind::PushButton) {
            vrenkodal_listen_for_presses(web::ElementId(control.ref).c_str(),
                                         static_cast<int>(index));
        }
    }
    vrenkodal_ready();
    emscripten_exit_with_live_runtime();
}

}  // namespace platform
