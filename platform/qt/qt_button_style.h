// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

namespace platform {

// Fusion with push buttons whose face is exactly their palette's button colour: Fusion would
// lighten it into a gradient, and the window's buttons are described by their colours. The
// buttons keep a raised edge that sinks while pressed, and a focus rectangle.
class QtButtonStyle final : public QProxyStyle {
  public:
    QtButtonStyle();

    void drawPrimitive(PrimitiveElement element,
                       const QStyleOption* option,
                       QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace platform
