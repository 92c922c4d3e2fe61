// The real window on the real widgets: clicks, keys and what the controls then show.
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

using platform::ControlRef;
using vrenkodal::kAgeBox;
using vrenkodal::kKindFrame;
using vrenkodal::kReportBox;
using vrenkodal::OptionButton;

namespace {

constexpr ControlRef kShowButton = vrenkodal::CommandButton(vrenkodal::kShowButton);
constexpr ControlRef kClearButton = vrenkodal::CommandButton(vrenkodal::kClearButton);
const QString kReport45 = QStringLiteral("Въведени години: 45\nтип: Волски\n");

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QTest::keyClicks cannot send Cyrillic; a key event a character at a time can.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QByteArray RowName(ControlRef ref) {
    return (ToQString(ref.name) + (ref.index >= 0 ? QString::number(ref.index) : QString()))
        .toUtf8();
}

QColor PixelAt(QWidget* widget, QPoint point) {
    const QPixmap pixmap = widget->grab();
    const qreal ratio = pixmap.devicePixelRatio();
    return pixmap.toImage().pixelColor(
        QPoint(qRound(point.x() * ratio), qRound(point.y() * ratio)));
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { platform::UseProgramStyle(); }

    void init() {
        binding_ = std::make_unique<vrenkodal::WindowBinding>();
        form_ = std::make_unique<platform::QtForm>(vrenkodal::MainWindow(), binding_->OnPress());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup() {
        form_.reset();
        binding_.reset();
    }

    void everyControlStandsAsDescribed_data() {
        QTest::addColumn<int>("row");
        const auto& controls = vrenkodal::MainWindow().controls;
        for (int row = 0; row < static_cast<int>(controls.size()); ++row) {
            QTest::newRow(RowName(controls[row].ref).constData()) << row;
        }
    }
    void everyControlStandsAsDescribed() {
        QFETCH(int, row);
        const platform::Control& control = vrenkodal::MainWindow().controls[row];
        QWidget* widget = form_->Widget(control.ref);
        const QRect expected(
            control.left / 15, control.top / 15, control.width / 15, control.height / 15);
        QCOMPARE(widget->geometry(), expected);
        const QString container =
            control.container.empty() ? QStringLiteral("Vrenkodal") : ToQString(control.container);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        if (control.kind != platform::ControlKind::TextBox) {
            QCOMPARE(ToQString(form_->Caption(control.ref)), ToQString(control.text));
        }
        QCOMPARE(!widget->isHidden(), control.visible);
        QCOMPARE(widget->isEnabled(), control.enabled);
        if (control.background) {
            const auto rgb = *control.background;
            QCOMPARE(widget->palette().color(widget->backgroundRole()),
                     QColor(rgb.red, rgb.green, rgb.blue));
        }
        const platform::Font font = control.font.value_or(vrenkodal::MainWindow().font);
        QCOMPARE(widget->font().family(), ToQString(font.family));
        QVERIFY(widget->font().pointSizeF() <= font.point_size);
        QCOMPARE(widget->font().bold(), font.bold);
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

    void windowIsFixedAndMinimisable() {
        QCOMPARE(form_->size(), QSize(461, 345));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form_->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
        QCOMPARE(form_->windowTitle(), QStringLiteral("https://www.vrenkodal.example  Vrenkodal"));
        // Under QT_SCALE_FACTOR the window keeps its layout and covers more pixels.
        const QPixmap shot = form_->grab();
        const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                : 1.0;
        QCOMPARE(shot.devicePixelRatio(), scale);
        QCOMPARE(shot.size(), QSize(461, 345) * scale);
    }

    // What the screen shows, not what the palette says: a style may ignore a palette.
    void coloursAreDrawn_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<bool>("exact");
        QTest::newRow("window") << "Vrenkodal" << QPoint(440, 20) << QColor(192, 192, 255) << true;
        QTest::newRow("title_label")
            << "Label1_0" << QPoint(3, 20) << QColor(255, 192, 128) << true;
        QTest::newRow("age_label") << "Label2" << QPoint(3, 20) << QColor(128, 255, 128) << true;
        QTest::newRow("frame") << "Frame1" << QPoint(140, 130) << QColor(192, 192, 255) << true;
        QTest::newRow("option") << "Option1_2" << QPoint(110, 9) << QColor(192, 192, 255) << true;
        QTest::newRow("show_button_face")
            << "Command1_0" << QPoint(8, 12) << QColor(128, 255, 128) << false;
        QTest::newRow("clear_button_face")
            << "Command1_1" << QPoint(8, 12) << QColor(255, 128, 128) << false;
    }
    void coloursAreDrawn() {
        QFETCH(QString, control);
        QFETCH(QPoint, point);
        QFETCH(QColor, expected);
        QFETCH(bool, exact);
        QTest::mouseClick(Button(kShowButton), Qt::LeftButton);  // shows the frame
        QWidget* widget = control == QLatin1String("Vrenkodal")
                              ? form_.get()
                              : form_->findChild<QWidget*>(control);
        QVERIFY(widget);
        const QColor seen = PixelAt(widget, point);
        if (exact) {
            QCOMPARE(seen, expected);
        } else {
            // A button face is shaded, but its colour must stay clearly the one given.
            QVERIFY2(qAbs(seen.hslHue() - expected.hslHue()) <= 10 && seen.hslSaturation() > 80,
                     qPrintable(seen.name() + " for " + expected.name()));
        }
    }

    void fontHasEveryCharacterTheWindowShows() {
        QString all = ToQString(vrenkodal::MainWindow().caption);
        for (const auto& control : vrenkodal::MainWindow().controls) all += ToQString(control.text);
        all += kReport45 + QStringLiteral("Въведете възраст!Маймунски");
        for (QWidget* widget : {form_->Widget(kReportBox), form_->Widget(OptionButton(4))}) {
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

    void textsFitTheirControls_data() {
        QTest::addColumn<int>("row");
        const auto& controls = vrenkodal::MainWindow().controls;
        for (int row = 0; row < static_cast<int>(controls.size()); ++row) {
            if (controls[row].kind == platform::ControlKind::TextBox) continue;
            QTest::newRow(RowName(controls[row].ref).constData()) << row;
        }
    }
    void textsFitTheirControls() {
        QFETCH(int, row);
        const platform::Control& control = vrenkodal::MainWindow().controls[row];
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

    void focusStartsInTheReportBox() {
        QCOMPARE(QApplication::focusWidget(), form_->Widget(kReportBox));
    }

    void tabCyclesTheFourControls_data() {
        QTest::addColumn<bool>("frame_shown");
        QTest::newRow("frame_hidden") << false;
        QTest::newRow("frame_shown") << true;
    }
    void tabCyclesTheFourControls() {
        QFETCH(bool, frame_shown);
        if (frame_shown) QTest::mouseClick(Button(kShowButton), Qt::LeftButton);
        QCOMPARE(form_->Widget(kKindFrame)->isVisible(), frame_shown);
        form_->Widget(kReportBox)->setFocus();
        QStringList seen;
        for (int i = 0; i < 5; ++i) {
            seen << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, QStringList({"Text1_0", "Text2", "Command1_0", "Command1_1", "Text1_0"}));
        QCOMPARE(ReportBox()->toPlainText().contains(QLatin1Char('\t')), false);
    }

    void ageBoxHoldsTwoCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two_digits") << "45"
                                    << ""
                                    << "45";
        QTest::newRow("third_digit_refused") << "459"
                                             << ""
                                             << "45";
        QTest::newRow("cyrillic_typed") << "абв"
                                        << ""
                                        << "аб";
        QTest::newRow("long_paste_cut_to_two") << ""
                                               << "123456"
                                               << "12";
        QTest::newRow("paste_after_one_digit_adds_one") << "7"
                                                        << "89"
                                                        << "78";
        QTest::newRow("paste_into_full_box_refused") << "45"
                                                     << "6"
                                                     << "45";
    }
    void ageBoxHoldsTwoCharacters() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        Type(AgeBox(), typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(AgeBox(), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(AgeBox()->text(), expected);
    }

    // Steps: a digit string types into the box (replacing its text), "S" presses "Изведи", "C"
    // presses "Чисти".
    void commandsThroughTheWidgets_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<int>("selected");
        const QString task =
            ToQString(vrenkodal::InitialWindowModel().report_text).replace("\r\n", "\n");
        const QString prompt = QStringLiteral("Въведете възраст!");
        QTest::newRow("at_start") << QStringList() << "" << task << false << -1;
        QTest::newRow("show_45") << QStringList({"45", "S"}) << "45" << kReport45 << true << 2;
        QTest::newRow("show_empty_box")
            << QStringList({"S"}) << "" << QStringLiteral("Въведени години: 0\nтип: Човешки\n")
            << true << 0;
        QTest::newRow("show_twice_same_report")
            << QStringList({"45", "S", "S"}) << "45" << kReport45 << true << 2;
        QTest::newRow("clear_fresh_window")
            << QStringList({"7", "C"}) << "" << prompt << false << -1;
        QTest::newRow("clear_keeps_selection")
            << QStringList({"45", "S", "C"}) << "" << prompt << false << 2;
        QTest::newRow("show_after_clear_moves_selection")
            << QStringList({"45", "S", "C", "25", "S"}) << "25"
            << QStringLiteral("Въведени години: 25\nтип: Човешки\n") << true << 0;
        QTest::newRow("monkey_past_seventy")
            << QStringList({"99", "S"}) << "99"
            << QStringLiteral("Въведени години: 99\nтип: Маймунски\n") << true << 4;
    }
    void commandsThroughTheWidgets() {
        QFETCH(QStringList, steps);
        QFETCH(QString, age);
        QFETCH(QString, report);
        QFETCH(bool, frame);
        QFETCH(int, selected);
        for (const QString& step : steps) {
            if (step == QLatin1String("S")) {
                QTest::mouseClick(Button(kShowButton), Qt::LeftButton);
            } else if (step == QLatin1String("C")) {
                QTest::mouseClick(Button(kClearButton), Qt::LeftButton);
            } else {
                AgeBox()->selectAll();
                Type(AgeBox(), step);
            }
        }
        QCOMPARE(AgeBox()->text(), age);
        QCOMPARE(ReportBox()->toPlainText(), report);
        QCOMPARE(form_->Widget(kKindFrame)->isVisible(), frame);
        for (int index = 0; index < 5; ++index) {
            QCOMPARE(Option(index)->isChecked(), index == selected);
        }
    }

    void reportKeepsItsCrLfLineEnds() {
        Type(AgeBox(), "45");
        QTest::mouseClick(Button(kShowButton), Qt::LeftButton);
        QCOMPARE(ReportBox()->document()->blockCount(), 3);  // two lines and the empty end
        QCOMPARE(ToQString(form_->Text(kReportBox)),
                 QStringLiteral("Въведени години: 45\r\nтип: Волски\r\n"));
        form_->SetText(kReportBox, "a\r\nb\r\n\r\nc");
        QCOMPARE(ToQString(form_->Text(kReportBox)), QStringLiteral("a\r\nb\r\n\r\nc"));
    }

    void clickOnDisabledOptionChangesNothing() {
        Type(AgeBox(), "45");
        QTest::mouseClick(Button(kShowButton), Qt::LeftButton);
        QTest::mouseClick(Option(0), Qt::LeftButton);
        QTest::keyClick(Option(0), Qt::Key_Space);
        QVERIFY(!Option(0)->isChecked());
        QVERIFY(Option(2)->isChecked());
        QCOMPARE(ReportBox()->toPlainText(), kReport45);
    }

    void enterInTheAgeBoxDoesNothing() {
        AgeBox()->setFocus();
        Type(AgeBox(), "45");
        QTest::keyClick(AgeBox(), Qt::Key_Return);
        QTest::keyClick(AgeBox(), Qt::Key_Enter);
        QVERIFY(!form_->Widget(kKindFrame)->isVisible());
        QCOMPARE(AgeBox()->text(), QStringLiteral("45"));
    }

    void spacePressesTheFocusedButton() {
        Type(AgeBox(), "45");
        Button(kShowButton)->setFocus();
        QTest::keyClick(Button(kShowButton), Qt::Key_Space);
        QCOMPARE(ReportBox()->toPlainText(), kReport45);
        QTest::keyClick(Button(kShowButton), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(AgeBox()->text(), QString());
    }

    void screenReaderFindsAgeBoxAndReport() {
        auto* label = form_->findChild<QLabel*>(QStringLiteral("Label2"));
        QCOMPARE(label->buddy(), form_->Widget(kAgeBox));
        QAccessibleInterface* age = QAccessible::queryAccessibleInterface(AgeBox());
        QVERIFY(age);
        bool labelled = false;
        for (const auto& [other, relation] : age->relations(QAccessible::Label)) {
            labelled |= other->text(QAccessible::Name) == label->text();
        }
        QVERIFY(labelled);
        QAccessibleInterface* report = QAccessible::queryAccessibleInterface(ReportBox());
        QCOMPARE(report->text(QAccessible::Name), QStringLiteral("Отчет"));
    }

  private:
    QLineEdit* AgeBox() const { return qobject_cast<QLineEdit*>(form_->Widget(kAgeBox)); }
    QPlainTextEdit* ReportBox() const {
        return qobject_cast<QPlainTextEdit*>(form_->Widget(kReportBox));
    }
    QPushButton* Button(ControlRef ref) const {
        return qobject_cast<QPushButton*>(form_->Widget(ref));
    }
    QRadioButton* Option(int index) const {
        return qobject_cast<QRadioButton*>(form_->Widget(OptionButton(index)));
    }

    std::unique_ptr<vrenkodal::WindowBinding> binding_;
    std::unique_ptr<platform::QtForm> form_;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
