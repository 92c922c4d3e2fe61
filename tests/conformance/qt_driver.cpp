// SPDX-License-Identifier: MIT
// The window on Qt, driven with QTest's key and mouse events, offscreen or on a display, with
// the desktop's Settings portal played by the test on a session bus of its own.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "tests/conformance/window_driver.h"
#include "tests/settings_portal.h"
#include "window/binding.h"
#include "window/description.h"

namespace conformance {

namespace {

using platform::ControlRef;

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// Qt 6.8 hands an announcement to the screen reader as an accessibility event of its own. The
// test takes the screen reader's place: accessibility on, and every event to the test.
class Listener final {
  public:
    Listener() {
        heard_ = &heard;
        QAccessible::setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Announcement) {
                heard_->push_back(
                    static_cast<QAccessibleAnnouncementEvent*>(event)->message().toStdString());
            }
        });
    }
    ~Listener() { QAccessible::installUpdateHandler(nullptr); }
    std::vector<std::string> heard;

  private:
    static inline std::vector<std::string>* heard_ = nullptr;
};
#else
// A widget of role notification that shows is what Qt 6.4's AT-SPI bridge hands to Orca, which
// speaks it unasked. Qt sends that accessibility event as it sends the widget its show event;
// without a screen reader running, the show event is what the test can see.
class Listener final : public QObject {
  public:
    Listener() { QApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(object);
            if (shown != nullptr && shown->role() == QAccessible::Notification) {
                heard.push_back(shown->text(QAccessible::Name).toStdString());
            }
        }
        return false;
    }
    std::vector<std::string> heard;
};
#endif

testing_support::SettingsPortal* portal = nullptr;

class QtDriver final : public WindowDriver {
  public:
    QtDriver() : form_(vrenkodal::MainWindow(), binding_.OnPress()) {
        form_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form_));
        form_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    Rect Geometry(ControlRef control) override {
        const QRect rect = control == kWindow ? form_.rect() : Widget(control)->geometry();
        return {rect.x(), rect.y(), rect.width(), rect.height()};
    }
    bool TabCyclesWithin() override { return true; }
    bool FixedSize() override { return form_.minimumSize() == form_.maximumSize(); }
    bool Minimisable() override { return form_.windowFlags() & Qt::WindowMinimizeButtonHint; }
    bool Maximisable() override { return form_.windowFlags() & Qt::WindowMaximizeButtonHint; }
    std::string Title() override { return form_.windowTitle().toStdString(); }
    int IconSize() override {
        const auto sizes = form_.windowIcon().availableSizes();
        return sizes.size() == 1 ? sizes[0].width() : 0;
    }

    Image Grab(ControlRef control) override {
        QWidget* widget = control == kWindow ? &form_ : Widget(control);
        QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Back to 96 dpi when the screen scales: every n-th pixel.
        shot = shot.scaled(widget->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        Image image{shot.width(), shot.height(), {}};
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb pixel = shot.pixel(x, y);
                image.pixels.push_back({static_cast<std::uint8_t>(qRed(pixel)),
                                        static_cast<std::uint8_t>(qGreen(pixel)),
                                        static_cast<std::uint8_t>(qBlue(pixel))});
            }
        }
        return image;
    }
    bool Visible(ControlRef control) override { return Widget(control)->isVisible(); }
    bool Enabled(ControlRef control) override { return Widget(control)->isEnabled(); }
    bool Checked(ControlRef option) override {
        return qobject_cast<QRadioButton*>(Widget(option))->isChecked();
    }
    bool HasSelectedText(ControlRef text_box) override {
        return qobject_cast<QLineEdit*>(Widget(text_box))->hasSelectedText();
    }
    std::optional<ControlRef> Focused() override {
        for (const platform::Control& control : vrenkodal::MainWindow().controls) {
            if (Widget(control.ref) == QApplication::focusWidget()) return control.ref;
        }
        return std::nullopt;
    }
    std::string AccessibleName(ControlRef control) override {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Widget(control));
        if (accessible == nullptr) return {};
        const QString name = accessible->text(QAccessible::Name);
        if (!name.isEmpty()) return name.toStdString();
        // A text box without a name of its own is named by its label.
        for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
            return label->text(QAccessible::Name).toStdString();
        }
        return {};
    }

    std::vector<std::string> Announcements() override { return listener_.heard; }

    // As GNOME's Settings does: the desktop's setting turned on, and a high-contrast theme's
    // colours in the application's palette, the system's colours for a Qt program.
    void SetHighContrast(bool on) override {
        static const QPalette usual = QApplication::palette();
        QPalette contrast;
        contrast.setColor(QPalette::Window, QColor(0, 0, 0));
        contrast.setColor(QPalette::WindowText, QColor(255, 255, 255));
        contrast.setColor(QPalette::Base, QColor(0, 0, 96));
        contrast.setColor(QPalette::Text, QColor(255, 255, 0));
        contrast.setColor(QPalette::Button, QColor(48, 0, 0));
        contrast.setColor(QPalette::ButtonText, QColor(255, 255, 255));
        contrast.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0, 255, 0));
        QApplication::setPalette(on ? contrast : usual);
        portal->SetHighContrast(on);
        // The change reaches the window through the session bus and the event loop; on a busy
        // machine the bus takes its time.
        const QColor wanted = on ? contrast.color(QPalette::Window) : QColor(192, 192, 255);
        EXPECT_TRUE(QTest::qWaitFor(
            [this, wanted] { return form_.palette().color(QPalette::Window) == wanted; }, 10000))
            << "the window did not follow high contrast turned " << (on ? "on" : "off");
        // and the new palette the controls, in the events posted meanwhile.
        QCoreApplication::sendPostedEvents();
    }
    platform::Rgb System(SystemColour colour) override {
        const QColor value =
            QApplication::palette().color(colour == SystemColour::Face    ? QPalette::Window
                                          : colour == SystemColour::Field ? QPalette::Base
                                                                          : QPalette::Button);
        return {static_cast<std::uint8_t>(value.red()),
                static_cast<std::uint8_t>(value.green()),
                static_cast<std::uint8_t>(value.blue())};
    }

    // QTest::keyClicks refuses text outside Latin-1; a key event per character does not.
    void Type(std::u16string_view character) override {
        const QString text = ToQString(character);
        const QChar c = text.at(0);
        const auto key = c == QLatin1Char(' ') ? Qt::Key_Space
                         : c.isDigit()         ? Qt::Key(c.unicode())
                                               : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, Focus(), key, text, Qt::NoModifier);
    }
    void Press(Key key) override {
        switch (key) {
            case Key::Tab:
                return QTest::keyClick(Focus(), Qt::Key_Tab);
            case Key::ShiftTab:
                return QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
            case Key::Space:
                return QTest::keyClick(Focus(), Qt::Key_Space);
            case Key::Backspace:
                return QTest::keyClick(Focus(), Qt::Key_Backspace);
            case Key::Enter:
                return QTest::keyClick(Focus(), Qt::Key_Return);
        }
    }
    void Paste(std::u16string_view text) override {
        QApplication::clipboard()->setText(ToQString(text));
        QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
    }
    void Click(ControlRef control) override { QTest::mouseClick(Widget(control), Qt::LeftButton); }
    void FocusOn(ControlRef control) override { Widget(control)->setFocus(Qt::OtherFocusReason); }

    platform::Form& Form() override { return form_; }

  private:
    QWidget* Widget(ControlRef control) { return form_.Widget(control); }
    QWidget* Focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &form_; }

    Listener listener_;  // outlives the window whose events it hears
    vrenkodal::WindowBinding binding_;
    platform::QtForm form_;
};

}  // namespace

std::unique_ptr<WindowDriver> OpenWindow() { return std::make_unique<QtDriver>(); }

}  // namespace conformance

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing_support::SettingsPortal settings_portal;
    conformance::portal = &settings_portal;
    // A steady text cursor: what a grab sees does not hang on the moment of its blink.
    QApplication::setCursorFlashTime(0);
    platform::UseProgramStyle();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
