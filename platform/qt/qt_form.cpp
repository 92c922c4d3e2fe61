// SPDX-License-Identifier: MIT
#include "platform/qt/qt_form.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/qt/high_contrast_setting.h"
#include "platform/qt/qt_look.h"
#include "platform/qt/steady_scroll_bar.h"

namespace platform {

namespace {

// The report box keeps one line per text block; the program's texts end lines with CR LF.
constexpr QLatin1StringView kCrLf("\r\n");
constexpr QLatin1StringView kLf("\n");

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int ToPixels(Twips twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

QRect ToPixels(const Control& control) {
    return {ToPixels(control.left),
            ToPixels(control.top),
            ToPixels(control.width),
            ToPixels(control.height)};
}

QColor ToQColor(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

// The smallest size a caption shrinks to when a fallback font is wider than the design's.
constexpr qreal kSmallestPointSize = 7;

// The width a caption needs in its control, by what each kind of control draws beside it.
int NeededWidth(QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    if (auto* option = qobject_cast<QRadioButton*>(widget)) return option->sizeHint().width();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        return metrics.horizontalAdvance(button->text()) + 2 * margin;
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return metrics.horizontalAdvance(label->text()) + 2 * label->margin();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        return metrics.horizontalAdvance(frame->title());
    }
    return 0;
}

// Shrinks the control's font until its caption fits, so that a font wider than the design's
// still shows every text whole.
void FitCaption(QWidget* widget) {
    QFont font = widget->font();
    if (HasDesignMetrics(font)) return;  // every caption fits as designed
    while (font.pointSizeF() > kSmallestPointSize &&
           (NeededWidth(widget) > widget->width() ||
            widget->fontMetrics().height() > widget->height())) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        widget->setFont(font);
    }
}

QString ObjectName(ControlRef ref) {
    QString name = ToQString(ref.name);
    if (ref.index != kNoIndex) name += QStringLiteral("_%1").arg(ref.index);
    return name;
}

// Paints the widget's own background role: a push button's face, or the fill of anything else.
// Filled, the widget is opaque, so repainting it never repaints what lies beneath.
void Paint(QWidget* widget, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), ToQColor(rgb));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Replaces the whole text in one edit. Clearing first, as setPlainText does, shrinks the
// document to one empty line and back, which repaints the scroll bar for nothing.
void Replace(QPlainTextEdit* box, const QString& text) {
    QTextDocument* document = box->document();
    const bool undoable = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);  // what the program writes is not the user's to undo
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undoable);
    box->moveCursor(QTextCursor::Start);  // a new text is read from its first line
}

Qt::Alignment ToQt(Alignment alignment) {
    return alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
}

[[noreturn]] void NoSuchControl(ControlRef ref, const char* kind) {
    qFatal("Vrenkodal: the window has no %s %s", kind, qPrintable(ObjectName(ref)));
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Qt 6.4 has no announcement event. What its AT-SPI bridge does carry is an object of role
// notification that shows: Orca speaks such an object's name as it appears, without moving the
// focus. The notice is that object: one pixel just outside the window, so that showing it
// repaints nothing.
class Notice final : public QWidget {
  public:
    using QWidget::QWidget;
};

QAccessibleInterface* NoticeAccessible(const QString& /*class_name*/, QObject* object) {
    auto* notice = dynamic_cast<Notice*>(object);
    return notice ? new QAccessibleWidget(notice, QAccessible::Notification) : nullptr;
}
#endif

}  // namespace

QtForm::QtForm(const Window& window, PressHandler on_press)
    : on_press_(std::move(on_press)), description_(window) {
    setObjectName(ToQString(window.name));
    setWindowTitle(ToQString(window.caption));
    // Read straight from the program's own data: no image plugins to look for at start-up.
    if (!window.icon.empty()) setWindowIcon(QIcon(QPixmap(window.icon.data())));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The layout is absolute, so the window keeps its size.
    setFixedSize(ToPixels(window.client_width), ToPixels(window.client_height));
    setFont(ToQFont(window.font));

    for (const Control& control : window.controls) {
        QWidget* parent = control.container.empty() ? this : Widget({control.container});
        widgets_[{std::string(control.ref.name), control.ref.index}] = Create(control, parent);
    }
    for (const Control& control : window.controls) {
        if (control.label_for) {
            static_cast<QLabel*>(Widget(control.ref))->setBuddy(Widget(*control.label_for));
        }
    }
    SetUpFocusOrder(window);
    Colour(false);
}

void QtForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (std::exchange(first_frame_drawn_, true)) return;
    // The desktop's high-contrast setting is asked once the first frame is on the screen, not
    // while it is drawn: the window is painted before its controls and shown after them, and
    // connecting to the session bus here would hold the whole frame back. Where the setting is
    // on, the window is drawn again in the system's colours, one frame later.
    QMetaObject::invokeMethod(
        this,
        [this] {
            new HighContrastSetting(
                [this](bool on) {
                    if (on != high_contrast_) Colour(high_contrast_ = on);
                },
                this);
        },
        Qt::QueuedConnection);
}

void QtForm::Colour(bool high_contrast) {
    // Without the description's colours a control inherits the application's palette, which is
    // the system's, and follows it when the theme changes.
    const auto colour = [high_contrast](QWidget* widget, std::optional<Rgb> own) {
        if (!own) return;
        if (high_contrast) {
            widget->setPalette(QPalette());  // still filled, now with the system's colour
        } else {
            Paint(widget, *own);
        }
    };
    colour(this, description_.background);
    for (const Control& control : description_.controls) {
        colour(Widget(control.ref), control.background);
    }
}

QWidget* QtForm::Create(const Control& control, QWidget* parent) {
    const QString text = ToQString(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Frame:
            // The program's style draws it: its own colour, the caption on the border line.
            widget = new QGroupBox(text, parent);
            break;
        case ControlKind::OptionButton:
            widget = new QRadioButton(text, parent);
            break;
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, ref = control.ref] {
                on_press_(*this, ref);
            });
            widget = button;
            break;
        }
        case ControlKind::TextBox:
            if (control.multi_line) {
                auto* box = new QPlainTextEdit(parent);
                box->setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical));
                box->setPlainText(QString(text).replace(kCrLf, kLf));
                box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                box->setVerticalScrollBarPolicy(
                    control.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
                // Tab leaves the box, as in every other control of the window.
                box->setTabChangesFocus(true);
                if (control.read_only) {
                    box->setReadOnly(true);
                    box->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                 Qt::TextSelectableByKeyboard);
                    box->setFocusPolicy(Qt::StrongFocus);
                }
                widget = box;
            } else {
                auto* box = new QLineEdit(text, parent);
                if (control.max_length > 0) box->setMaxLength(control.max_length);
                box->setAlignment(ToQt(control.alignment) | Qt::AlignVCenter);
                box->setReadOnly(control.read_only);
                widget = box;
            }
            break;
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            label->setAlignment(ToQt(control.alignment) | Qt::AlignTop);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
    }
    widget->setObjectName(ObjectName(control.ref));
    // A push button's face is its button colour; everything else is filled with the window's.
    if (control.kind != ControlKind::PushButton) widget->setBackgroundRole(QPalette::Window);
    widget->setGeometry(ToPixels(control));
    if (control.font) widget->setFont(ToQFont(*control.font));
    if (control.kind != ControlKind::TextBox) FitCaption(widget);
    if (!control.accessible_name.empty()) {
        widget->setAccessibleName(ToQString(control.accessible_name));
    }
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
    return widget;
}

void QtForm::SetUpFocusOrder(const Window& window) {
    std::vector<const Control*> order;
    for (const Control& control : window.controls) order.push_back(&control);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->tab_index < b->tab_index;
    });
    std::vector<QWidget*> chain;
    for (const Control* control : order) {
        QWidget* widget = Widget(control->ref);
        if (widget->focusPolicy() & Qt::TabFocus) chain.push_back(widget);
    }
    for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
    // The first control that can take the focus has it when the window opens.
    for (QWidget* widget : chain) {
        if (widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus();
            break;
        }
    }
}

QWidget* QtForm::Widget(ControlRef control) const {
    const auto found = widgets_.find({std::string(control.name), control.index});
    if (found == widgets_.end()) NoSuchControl(control, "control");
    return found->second;
}

void QtForm::SetVisible(ControlRef control, bool visible) { Widget(control)->setVisible(visible); }

void QtForm::Select(ControlRef option) {
    auto* button = qobject_cast<QRadioButton*>(Widget(option));
    if (button == nullptr) NoSuchControl(option, "option button");
    button->setChecked(true);
}

std::string QtForm::Caption(ControlRef control) const {
    QWidget* widget = Widget(control);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    NoSuchControl(control, "captioned control");
}

std::string QtForm::Text(ControlRef text_box) const {
    QWidget* widget = Widget(text_box);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text().toStdString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        return box->toPlainText().replace(kLf, kCrLf).toStdString();
    }
    NoSuchControl(text_box, "text box");
}

void QtForm::SetText(ControlRef text_box, std::string_view text) {
    QWidget* widget = Widget(text_box);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(ToQString(text));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        Replace(box, ToQString(text).replace(kCrLf, kLf));
    } else {
        NoSuchControl(text_box, "text box");
    }
}

void QtForm::Announce(ControlRef text_box) {
    // Line breaks read as pauses.
    const QString text = ToQString(Text(text_box)).replace(kCrLf, kLf).trimmed();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Said politely, after whatever the screen reader is saying, without moving the focus.
    QAccessibleAnnouncementEvent announcement(Widget(text_box), text);
    QAccessible::updateAccessibility(&announcement);
#else
    // Made on the first announcement: a window that is only looked at never pays for it.
    if (notice_ == nullptr) {
        [[maybe_unused]] static const bool factory_installed =
            (QAccessible::installFactory(NoticeAccessible), true);
        notice_ = new Notice(this);
        notice_->setGeometry(-1, -1, 1, 1);
        notice_->setFocusPolicy(Qt::NoFocus);
    }
    // Shown again each time, so the same text is spoken again.
    notice_->hide();
    notice_->setAccessibleName(text);
    notice_->show();
#endif
}

}  // namespace platform
