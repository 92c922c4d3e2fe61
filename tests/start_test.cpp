// SPDX-License-Identifier: MIT
// The program's start routine end to end: the window opens, the user closes it, and the
// routine returns the status the program exits with.
#include <cstdio>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/form.h"
#include "window/binding.h"
#include "window/description.h"

namespace {

int windows_closed = 0;

// Runs as soon as the start routine has made its application: once the event loop turns,
// close every visible window as a user would.
void CloseTheWindowOnceShown() {
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->close()) ++windows_closed;
        }
    });
}
Q_COREAPP_STARTUP_FUNCTION(CloseTheWindowOnceShown)

}  // namespace

int main(int argc, char** argv) {
    vrenkodal::WindowBinding binding;
    const int status = platform::Start(argc, argv, vrenkodal::MainWindow(), binding.OnPress());
    if (status != 0 || windows_closed != 1) {
        std::fprintf(stderr, "status %d after closing %d windows\n", status, windows_closed);
        return 1;
    }
    return 0;
}
