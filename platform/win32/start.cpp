// SPDX-License-Identifier: MIT
#include <windows.h>

#include <commctrl.h>

#include "platform/form.h"
#include "platform/win32/dpi.h"
#include "platform/win32/win32_form.h"

namespace platform {

// Windows always has a display; the toolkit's options of other systems do not apply here.
int Start(int /*argc*/, char** /*argv*/, const Window& window, PressHandler on_press) {
    BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Form form(window, std::move(on_press));
    ShowWindow(form.Handle(), SW_SHOWDEFAULT);
    UpdateWindow(form.Handle());

    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (form.HandleDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // 0: the window closed and asked to quit; -1: the message queue itself failed.
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace platform
