// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QStringList>

#include "platform/form.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"

namespace platform {

namespace {

constexpr const char* kNoDisplay =
    "Vrenkodal: няма графичен дисплей за прозореца (cannot open a display); "
    "стартирайте програмата в графична среда.\n";
constexpr int kNoDisplayStatus = 1;

// While Qt connects to the display, its messages wait here. If it cannot connect, it would
// print a page about platform plugins and abort with a core dump; a person needs one line and
// a plain exit status instead.
QStringList held_messages;

void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(kNoDisplayStatus);
    }
    held_messages.append(qFormatLogMessage(type, context, text));
}

}  // namespace

int Start(int argc, char** argv, const Window& window, PressHandler on_press) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldWhileStarting);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(held_messages)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    held_messages.clear();

    UseProgramStyle();
    // The window's font is the program's: a line edit lays out its text before it takes the
    // window's font, and would load the toolkit's default font for nothing.
    QApplication::setFont(ToQFont(window.font));
    QtForm form(window, std::move(on_press));
    form.show();
    return QApplication::exec();
}

}  // namespace platform
