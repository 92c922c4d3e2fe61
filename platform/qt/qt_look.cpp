// SPDX-License-Identifier: MIT
#include "platform/qt/qt_look.h"

#include <QApplication>
#include <QStyle>

#include "platform/qt/qt_program_style.h"

namespace platform {

namespace {

// The kind of years shows on disabled option buttons; their text must stay legible.
const QColor kDisabledText(90, 90, 90);

}  // namespace

void UseProgramStyle() {
    auto* style = new QtProgramStyle;  // the application takes it
    QApplication::setStyle(style);
    QPalette palette = style->standardPalette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    QApplication::setPalette(palette);
}

}  // namespace platform
