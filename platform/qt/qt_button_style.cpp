// SPDX-License-Identifier: MIT
#include "platform/qt/qt_button_style.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace platform {

namespace {

// Inside the 2-pixel edge, with a pixel to spare, as Windows draws its focus rectangle.
constexpr int kFocusInset = 3;

}  // namespace

QtButtonStyle::QtButtonStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void QtButtonStyle::drawPrimitive(PrimitiveElement element,
                                  const QStyleOption* option,
                                  QPainter* painter,
                                  const QWidget* widget) const {
    if (element != PE_PanelButtonCommand) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool sunken = option->state & (State_Sunken | State_On);
    const QBrush face = option->palette.brush(QPalette::Button);
    qDrawWinButton(painter, option->rect, option->palette, sunken, &face);
    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = option->rect.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        focus.backgroundColor = face.color();
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->drawRect(focus.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

}  // namespace platform
