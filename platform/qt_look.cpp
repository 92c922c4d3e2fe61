#include "platform/qt_look.h"

#include <QApplication>
#include <QStyleFactory>

namespace platform {

void UseProgramStyle() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

}  // namespace platform
