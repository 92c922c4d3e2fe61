// SPDX-License-Identifier: MIT
// What only the Qt window decides: the fonts it resolves, captions that fit whatever font the
// system has, drawing on a scaled screen, what a press repaints, and how and when it reads the
// desktop's high-contrast setting. What every platform's window must do is in the conformance
// suite.
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include "platform/qt/high_contrast_setting.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "tests/settings_portal.h"
#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray RowName(platform::ControlRef ref) {
    return (ToQString(ref.name) + (ref.index >= 0 ? QString::number(ref.index) : QString()))
        .toUtf8();
}

// Records which widgets receive a paint event, and tells of each one's first.
class PaintRecorder : public QObject {
  public:
    explicit PaintRecorder(std::function<void(QObject*)> first_paint = {})
        : first_paint_(std::move(first_paint)) {}
    QSet<QObject*> painted;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted.contains(object)) {
            painted.insert(object);
            if (first_paint_) first_paint_(object);
        }
        return false;
    }

  private:
    std::function<void(QObject*)> first_paint_;
};

}  // namespace

class QtWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        platform::UseProgramStyle();
        portal_ = std::make_unique<testing_support::SettingsPortal>();
    }

    void init() {
        binding_ = std::make_unique<vrenkodal::WindowBinding>();
        form_ = std::make_unique<platform::QtForm>(vrenkodal::MainWindow(), binding_->OnPress());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() {
        form_.reset();
        binding_.reset();
    }

    void controls_data() {
        QTest::addColumn<int>("row");
        const auto& controls = vrenkodal::MainWindow().controls;
        for (int row = 0; row < static_cast<int>(controls.size()); ++row) {
            QTest::newRow(RowName(controls[row].ref).constData()) << row;
        }
    }

    void fontIsTheDescribedOne_data() { controls_data(); }
    void fontIsTheDescribedOne() {
        QFETCH(int, row);
        const platform::Control& control = vrenkodal::MainWindow().controls[row];
        const QFont font = form_->Widget(control.ref)->font();
        const platform::Font described = control.font.value_or(vrenkodal::MainWindow().font);
        // Asked for by name where the system has it; elsewhere its stand-ins are asked for.
        const QString family = ToQString(described.family);
        if (QFontDatabase::families().contains(family)) {
            QCOMPARE(font.family(), family);
        } else {
            QVERIFY(!font.families().contains(family));
        }
        // One family: for a list, the toolkit has fontconfig find every font's stand-ins as it
        // loads it, which took 4 % of the start before the first frame.
        QCOMPARE(font.families().size(), 1);
        QVERIFY(font.pointSizeF() <= described.point_size);
        QCOMPARE(font.bold(), described.bold);
    }

    // With Times New Roman or its metric twin, every caption keeps the designed size.
    void designedFontKeepsDesignedSizes() {
        const QString resolved = QFontInfo(form_->font()).family();
        if (!QStringList({"Times New Roman", "Liberation Serif", "Tinos"}).contains(resolved)) {
            QSKIP(qPrintable("no Times New Roman metrics here; resolved to " + resolved));
        }
        for (const auto& control : vrenkodal::MainWindow().controls) {
            const auto font = control.font.value_or(vrenkodal::MainWindow().font);
            QCOMPARE(form_->Widget(control.ref)->font().pointSizeF(), qreal(font.point_size));
        }
    }

    void fontHasEveryCharacterTheWindowShows() {
        QString all = ToQString(vrenkodal::MainWindow().caption);
        for (const auto& control : vrenkodal::MainWindow().controls) all += ToQString(control.text);
        all += QStringLiteral("Въведени години: 45 тип: Волски Въведете възраст!Маймунски");
        for (QWidget* widget :
             {form_->Widget(vrenkodal::kReportBox), form_->Widget(vrenkodal::OptionButton(4))}) {
            const QFontMetrics metrics(widget->font());
            for (const QChar c : all) {
                if (c.isSpace()) continue;
                QVERIFY2(
                    metrics.inFont(c),
                    qPrintable(
                        QStringLiteral("%1 lacks %2").arg(QFontInfo(widget->font()).family(), c)));
            }
        }
    }

    void textsFitTheirControls_data() { controls_data(); }
    void textsFitTheirControls() {
        QFETCH(int, row);
        const platform::Control& control = vrenkodal::MainWindow().controls[row];
        if (control.kind == platform::ControlKind::TextBox) QSKIP("a text box scrolls");
        QWidget* widget = form_->Widget(control.ref);
        const QFontMetrics metrics(widget->font());
        QVERIFY2(metrics.height() <= widget->height(), qPrintable(widget->objectName()));
        // An option button draws its mark beside the caption; its size hint counts both.
        const int needed = qobject_cast<QRadioButton*>(widget)
                               ? widget->sizeHint().width()
                               : metrics.horizontalAdvance(ToQString(control.text));
        QVERIFY2(needed <= widget->width(),
                 qPrintable(QStringLiteral("%1 needs %2 of %3 px in %4")
                                .arg(widget->objectName())
                                .arg(needed)
                                .arg(widget->width())
                                .arg(QFontInfo(widget->font()).family())));
    }

    // On a scaled screen (QT_SCALE_FACTOR, or the desktop's text size through Xft.dpi) the
    // window keeps its layout and covers more pixels: as many more as the test's row expects.
    void scaledScreenDrawsMorePixels() {
        const QPixmap shot = form_->grab();
        const qreal scale = qEnvironmentVariable("VRENKODAL_EXPECTED_SCALE", "1").toDouble();
        QCOMPARE(shot.devicePixelRatio(), scale);
        QCOMPARE(shot.size(), QSize(461, 345) * scale);
    }

    // A press repaints what it changed and nothing more: repainting the window, the frame or
    // the report's scroll bar as well would cost more than the rest of the click.
    void pressRepaintsOnlyWhatChanged_data() {
        QTest::addColumn<QString>("before");  // the age pressed for first; empty: "Чисти" first
        QTest::addColumn<QString>("age");
        QTest::addColumn<std::int16_t>("button");
        QTest::addColumn<QStringList>("untouched");
        QTest::newRow("another age: the button, the report and two options")
            << "45"
            << "61" << vrenkodal::kShowButton
            << QStringList{"Vrenkodal",
                           "Frame1",
                           "Option1_0",
                           "Option1_1",
                           "Option1_3",
                           "Command1_1",
                           "scroll bar"};
        QTest::newRow("showing the frame: neither the window nor the scroll bar")
            << ""
            << "61" << vrenkodal::kShowButton << QStringList{"Vrenkodal", "scroll bar"};
        QTest::newRow("clearing: not the scroll bar")
            << "45"
            << "" << vrenkodal::kClearButton << QStringList{"scroll bar"};
    }
    void pressRepaintsOnlyWhatChanged() {
        QFETCH(QString, before);
        QFETCH(QString, age);
        QFETCH(std::int16_t, button);
        QFETCH(QStringList, untouched);
        auto* age_box = static_cast<QLineEdit*>(form_->Widget(vrenkodal::kAgeBox));
        age_box->setText(before);
        Press(before.isEmpty() ? vrenkodal::kClearButton : vrenkodal::kShowButton);
        age_box->setText(age);
        QApplication::processEvents();

        PaintRecorder recorder;
        QApplication::instance()->installEventFilter(&recorder);
        Press(button);
        QApplication::instance()->removeEventFilter(&recorder);

        QVERIFY(recorder.painted.contains(form_->Widget(vrenkodal::CommandButton(button))));
        auto* report = static_cast<QPlainTextEdit*>(form_->Widget(vrenkodal::kReportBox));
        for (const QString& name : untouched) {
            QObject* widget = name == QLatin1String("scroll bar") ? report->verticalScrollBar()
                              : form_->objectName() == name       ? form_.get()
                                                            : form_->findChild<QWidget*>(name);
            QVERIFY2(widget != nullptr, qPrintable(name));
            QVERIFY2(!recorder.painted.contains(widget), qPrintable(name + " was repainted"));
        }
    }

    // The setting is asked once the first frame is on the screen: connecting to the session bus
    // while the window is painted would hold back the controls painted after it.
    void highContrastIsAskedAfterTheFirstFrame() {
        platform::QtForm form(vrenkodal::MainWindow(), binding_->OnPress());
        const QWidget* report =
            static_cast<QPlainTextEdit*>(form.Widget(vrenkodal::kReportBox))->viewport();
        std::optional<bool> asked;  // when the report box was first painted
        PaintRecorder recorder([&](QObject* widget) {
            if (widget == report)
                asked = form.findChild<platform::HighContrastSetting*>() != nullptr;
        });
        QApplication::instance()->installEventFilter(&recorder);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(form.findChild<platform::HighContrastSetting*>() != nullptr);
        QApplication::instance()->removeEventFilter(&recorder);
        QCOMPARE(asked, std::optional<bool>(false));
    }

    // What the desktop's Settings portal may hold when the window asks: each desktop's key,
    // and values in a shape the interface does not promise.
    void readsTheDesktopsHighContrastSetting_data() {
        QTest::addColumn<QString>("name_space");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("on");
        const QString gnome = "org.gnome.desktop.a11y.interface";
        const QString appearance = "org.freedesktop.appearance";
        QTest::newRow("gnome_on") << gnome << "high-contrast" << QVariant(true) << true;
        QTest::newRow("cross_desktop_higher") << appearance << "contrast" << QVariant(1u) << true;
        QTest::newRow("cross_desktop_no_preference")
            << appearance << "contrast" << QVariant(0u) << false;
        QTest::newRow("dark_scheme_is_no_contrast")
            << appearance << "color-scheme" << QVariant(1u) << false;
        QTest::newRow("wrapped_once_more")
            << gnome << "high-contrast" << QVariant::fromValue(QDBusVariant(true)) << true;
        QTest::newRow("text_is_not_a_switch")
            << gnome << "high-contrast" << QVariant(QStringLiteral("true")) << false;
    }
    void readsTheDesktopsHighContrastSetting() {
        QFETCH(QString, name_space);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(bool, on);
        portal_->Set(name_space, key, value, false);
        std::vector<bool> told;
        platform::HighContrastSetting setting([&told](bool now) { told.push_back(now); }, nullptr);
        QTRY_VERIFY(!told.empty());
        QCOMPARE(told.front(), on);
        if (!on) {
            // The same value again tells nothing; turning it on, the window hears.
            portal_->Set(name_space, key, value);
            portal_->SetHighContrast(true);
            QTRY_COMPARE(told.size(), std::size_t{2});
            QVERIFY(told.back());
        }
        portal_->Clear();
    }

  private:
    void Press(std::int16_t button) {
        QTest::mouseClick(form_->Widget(vrenkodal::CommandButton(button)), Qt::LeftButton);
        QApplication::processEvents();
    }

    std::unique_ptr<vrenkodal::WindowBinding> binding_;
    std::unique_ptr<platform::QtForm> form_;
    std::unique_ptr<testing_support::SettingsPortal> portal_;
};

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
