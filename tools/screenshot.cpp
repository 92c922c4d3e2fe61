// SPDX-License-Identifier: MIT
// Writes a picture of the real window after "Изведи" with 45, for the README.
// Usage: screenshot OUTPUT.png  (run with QT_QPA_PLATFORM=offscreen, or on a display)
#include <cstdio>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    platform::UseProgramStyle();
    vrenkodal::WindowBinding binding;
    platform::QtForm form(vrenkodal::MainWindow(), binding.OnPress());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    QTest::keyClicks(form.Widget(vrenkodal::kAgeBox), QStringLiteral("45"));
    QTest::mouseClick(
        static_cast<QPushButton*>(form.Widget(vrenkodal::CommandButton(vrenkodal::kShowButton))),
        Qt::LeftButton);
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
