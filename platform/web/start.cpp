// SPDX-License-Identifier: MIT
#include <emscripten.h>

#include <string>
#include <utility>

#include "platform/form.h"
#include "platform/web/page.h"
#include "platform/web/web_form.h"

namespace platform {

namespace {

// The page calls back into the program by the index of the pressed control in the
// description; these live as long as the page.
const Window* shown_window = nullptr;
web::WebForm* shown_form = nullptr;
PressHandler* press_handler = nullptr;

EM_JS(void, ListenForPresses, (const char* id, int control), {
    document.getElementById(UTF8ToString(id))
        .addEventListener(
            "click", function() { Module["_vrenkodal_press"](control); });
});
EM_JS(void, FocusOn, (const char* id), { document.getElementById(UTF8ToString(id)).focus(); });

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void vrenkodal_press(int control) {
    (*press_handler)(*shown_form, shown_window->controls[static_cast<std::size_t>(control)].ref);
}

// For the tests' driver, from a script in the page: a text box's text as the program reads it
// (`name`, and `index` or -1), valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vrenkodal_form_text(const char* name, int index) {
    static std::string text;
    text = shown_form->Text({name, index});
    return text.c_str();
}

// The page already shows the window (see page.h): the program binds to its elements, puts the
// focus where the focus order starts, and leaves the runtime alive for the presses to come.
// The caller's locals, the press handler's state among them, stay valid: the runtime is left
// without unwinding their stack.
int Start(int /*argc*/, char** /*argv*/, const Window& window, PressHandler on_press) {
    static web::WebForm form(window);
    static PressHandler handler = std::move(on_press);
    shown_window = &window;
    shown_form = &form;
    press_handler = &handler;

    const Control* first = nullptr;
    for (std::size_t index = 0; index < window.controls.size(); ++index) {
        const Control& control = window.controls[index];
        if (control.kind == ControlKind::PushButton) {
            ListenForPresses(web::ElementId(control.ref).c_str(), static_cast<int>(index));
        }
        const bool takes_focus =
            control.kind == ControlKind::TextBox || control.kind == ControlKind::PushButton;
        if (takes_focus && control.visible && control.enabled &&
            (first == nullptr || control.tab_index < first->tab_index)) {
            first = &control;
        }
    }
    if (first != nullptr) FocusOn(web::ElementId(first->ref).c_str());
    emscripten_exit_with_live_runtime();
}

}  // namespace platform
