// SPDX-License-Identifier: MIT
#pragma once

#include <utility>
#include <vector>

#include <QPixmap>
#include <QProxyStyle>

namespace platform {

// Fusion, with the two controls whose look the window's description settles:
// - push buttons whose face is exactly their palette's button colour (Fusion would lighten it
//   into a gradient), with a raised edge that sinks while pressed and a focus rectangle;
// - frames that keep their own colour inside and carry their caption on the border line
//   (Fusion shades a group box and sets its title above the border).
// Painted here rather than by a style sheet, which would bring Qt's whole style-sheet
// machinery into the program's start-up. Button faces, option marks and text box frames are
// drawn once per look and then copied, so that a click costs little more than its text.
class QtProgramStyle final : public QProxyStyle {
  public:
    QtProgramStyle();

    void drawPrimitive(PrimitiveElement element,
                       const QStyleOption* option,
                       QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control,
                            const QStyleOptionComplex* option,
                            QPainter* painter,
                            const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control,
                         const QStyleOptionComplex* option,
                         SubControl sub_control,
                         const QWidget* widget) const override;

  private:
    void DrawUncached(PrimitiveElement element,
                      const QStyleOption* option,
                      QPainter* painter,
                      const QWidget* widget) const;
    void DrawCached(PrimitiveElement element,
                    const QStyleOption* option,
                    QPainter* painter,
                    const QWidget* widget) const;

    // A drawn look of a primitive, known by everything its pixels depend on.
    struct Look {
        PrimitiveElement element{};
        unsigned state = 0;
        int frame_width = 0;
        unsigned frame_features = 0;
        QSize size;
        qint64 palette = 0;
        qreal pixel_ratio = 1;
        bool operator==(const Look&) const = default;
    };
    mutable std::vector<std::pair<Look, QPixmap>> looks_;
};

}  // namespace platform
