// SPDX-License-Identifier: MIT
#include "platform/qt/qt_program_style.h"

#include <algorithm>

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace platform {

namespace {

// Inside the 2-pixel edge, with a pixel to spare, as Windows draws its focus rectangle.
constexpr int kFocusInset = 3;
// A frame's border and where its caption starts on it.
const QColor kFrameBorder(0x8c, 0x8c, 0xb4);
constexpr int kCaptionIndent = 6;
constexpr std::size_t kMostLooks = 64;

}  // namespace

QtProgramStyle::QtProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QRect QtProgramStyle::subControlRect(ComplexControl control,
                                     const QStyleOptionComplex* option,
                                     SubControl sub_control,
                                     const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
        return QProxyStyle::subControlRect(control, option, sub_control, widget);
    }
    const QFontMetrics metrics = option->fontMetrics;
    const QRect border = option->rect.adjusted(0, metrics.height() / 2, 0, 0);
    switch (sub_control) {
        case SC_GroupBoxLabel:
            return {kCaptionIndent, 0, metrics.horizontalAdvance(frame->text), metrics.height()};
        case SC_GroupBoxFrame:
            return border;
        case SC_GroupBoxContents:
            return border.adjusted(1, 1, -1, -1);
        default:
            return {};
    }
}

void QtProgramStyle::drawComplexControl(ComplexControl control,
                                        const QStyleOptionComplex* option,
                                        QPainter* painter,
                                        const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || frame == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->setPen(kFrameBorder);
    painter->drawRect(
        subControlRect(control, option, SC_GroupBoxFrame, widget).adjusted(0, 0, -1, -1));
    // The caption's own background interrupts the line, blanks included.
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->fillRect(caption, option->palette.brush(QPalette::Window));
    painter->setPen(option->palette.color(QPalette::WindowText));
    painter->drawText(
        caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, frame->text);
    painter->restore();
}

void QtProgramStyle::drawPrimitive(PrimitiveElement element,
                                   const QStyleOption* option,
                                   QPainter* painter,
                                   const QWidget* widget) const {
    if (element == PE_PanelButtonCommand || element == PE_IndicatorRadioButton ||
        element == PE_PanelLineEdit) {
        DrawCached(element, option, painter, widget);
    } else {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void QtProgramStyle::DrawUncached(PrimitiveElement element,
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
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->drawRect(
            option->rect.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
        painter->restore();
    }
}

// Stroking a button's edge, an option's antialiased circle or a text box's rounded frame costs
// more than the rest of a click; the few looks each can take are drawn once and then copied.
void QtProgramStyle::DrawCached(PrimitiveElement element,
                                const QStyleOption* option,
                                QPainter* painter,
                                const QWidget* widget) const {
    if (option->rect.isEmpty()) return;  // nothing to draw, and no pixmap to draw it in
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const Look wanted{element,
                      option->state.toInt(),
                      frame != nullptr ? frame->lineWidth : 0,
                      frame != nullptr ? frame->features.toInt() : 0U,
                      option->rect.size(),
                      option->palette.cacheKey(),
                      painter->device()->devicePixelRatio()};
    const auto found = std::find_if(
        looks_.begin(), looks_.end(), [&](const auto& look) { return look.first == wanted; });
    if (found != looks_.end()) {
        painter->drawPixmap(option->rect.topLeft(), found->second);
        return;
    }
    QPixmap look(wanted.size * wanted.pixel_ratio);
    look.setDevicePixelRatio(wanted.pixel_ratio);
    look.fill(Qt::transparent);
    QPainter look_painter(&look);
    look_painter.setRenderHints(painter->renderHints());
    look_painter.translate(-option->rect.topLeft());
    DrawUncached(element, option, &look_painter, widget);
    look_painter.end();
    // A window has a handful of looks; only a change of palette or screen makes new ones.
    if (looks_.size() >= kMostLooks) looks_.clear();
    looks_.emplace_back(wanted, look);
    painter->drawPixmap(option->rect.topLeft(), look);
}

}  // namespace platform
