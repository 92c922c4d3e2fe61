#include "platform/qt/qt_look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace platform {

namespace {

// The kind of years shows on disabled option buttons; their text must stay legible.
const QColor kDisabledText(90, 90, 90);

}  // namespace

void UseProgramStyle() {
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    QApplication::setStyle(style);
    QPalette palette = style->standardPalette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    QApplication::setPalette(palette);
}

}  // namespace platform
