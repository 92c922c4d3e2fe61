// A seeded random walk of real user actions on the real window. After every step the window
// must show what the state table and the line edit's own rules predict.
#include <memory>
#include <optional>
#include <random>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "kind/age_text.h"
#include "kind/kind_of_years.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "tests/properties.h"
#include "window/binding.h"
#include "window/description.h"

using platform::ControlRef;

namespace {

constexpr int kStepsPerSeed = 600;
constexpr int kMaxLength = 2;
const QString kTyped = QStringLiteral("0123456789 .,-+xeабвгдЧЪ!?&");
const QString kPasted = QStringLiteral("0123456789 .-xЙю");
// The controls Tab visits, in order.
const QStringList kFocusCycle = {"Text1_0", "Text2", "Command1_0", "Command1_1"};

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the window should show, derived from the state table, not from the program's commands.
struct Expected {
    QString age;
    bool age_selected = false;  // Tab into the age box selects its text
    QString report = ToQString(vrenkodal::InitialWindowModel().report_text).replace("\r\n", "\n");
    bool frame = false;
    int selected = -1;
    QString focus = QStringLiteral("Text1_0");

    void Show() {
        frame = true;
        const double age_value = vrenkodal::ParseAge(age.toStdString());
        const auto kind = vrenkodal::properties::KindByBounds(age_value);
        selected = vrenkodal::IndexOf(kind);
        report = QStringLiteral("Въведени години: ") + ToQString(vrenkodal::FormatAge(age_value)) +
                 QStringLiteral("\nтип: ") + ToQString(vrenkodal::Caption(kind)) +
                 QStringLiteral("\n");
    }
    void Clear() {
        age.clear();
        age_selected = false;
        report = QStringLiteral("Въведете възраст!");
        frame = false;
    }
    // Text arriving in the age box: it replaces a selection, and only two characters fit.
    void Insert(const QString& text) {
        if (age_selected) age.clear();
        age_selected = false;
        age += text.left(kMaxLength - age.size());
    }
    void MoveFocus(int step) {
        const int at = static_cast<int>(kFocusCycle.indexOf(focus));
        focus = kFocusCycle[(at + step + kFocusCycle.size()) % kFocusCycle.size()];
        age_selected = focus == QLatin1String("Text2") && !age.isEmpty();
    }
    void FocusOn(const QString& control) {
        if (control != focus) age_selected = false;
        focus = control;
    }
};

}  // namespace

class WindowWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { platform::UseProgramStyle(); }

    void walk_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 10; ++seed) {
            QTest::newRow(qPrintable(QStringLiteral("seed_%1").arg(seed))) << seed;
        }
    }

    void walk() {
        QFETCH(unsigned, seed);
        vrenkodal::WindowBinding binding;
        platform::QtForm form(vrenkodal::MainWindow(), binding.OnPress());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        std::mt19937 random(seed);
        const auto pick = [&random](int count) {
            return std::uniform_int_distribution<int>(0, count - 1)(random);
        };
        Expected expected;
        QString history;
        for (int step = 0; step < kStepsPerSeed; ++step) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            const bool in_age_box = expected.focus == QLatin1String("Text2");
            const bool on_button = expected.focus.startsWith(QLatin1String("Command1"));
            QString action;
            switch (pick(8)) {
                case 0:
                case 1: {  // a key with a character
                    const QChar c = kTyped[pick(static_cast<int>(kTyped.size()))];
                    action = QStringLiteral("type '%1'").arg(c);
                    const auto key = c == QLatin1Char(' ') ? Qt::Key_Space
                                     : c.isDigit()         ? Qt::Key(c.unicode())
                                                           : Qt::Key_unknown;
                    QTest::sendKeyEvent(QTest::Click, focus, key, QString(c), Qt::NoModifier);
                    if (in_age_box) expected.Insert(QString(c));
                    if (on_button && c == QLatin1Char(' ')) Press(expected, expected.focus);
                    break;
                }
                case 2:
                    action = QStringLiteral("backspace");
                    QTest::keyClick(focus, Qt::Key_Backspace);
                    if (in_age_box) {
                        expected.age.chop(expected.age_selected ? expected.age.size() : 1);
                        expected.age_selected = false;
                    }
                    break;
                case 3: {
                    QString text;
                    for (int n = pick(6); n > 0; --n)
                        text += kPasted[pick(static_cast<int>(kPasted.size()))];
                    action = QStringLiteral("paste '%1'").arg(text);
                    QApplication::clipboard()->setText(text);
                    QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
                    if (in_age_box && (!text.isEmpty() || expected.age_selected))
                        expected.Insert(text);
                    break;
                }
                case 4:
                case 5: {
                    const QString button = pick(2) == 0 ? "Command1_0" : "Command1_1";
                    action = QStringLiteral("click ") + button;
                    QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
                    expected.FocusOn(button);
                    Press(expected, button);
                    break;
                }
                case 6: {
                    const int index = pick(5);
                    action = QStringLiteral("click option %1").arg(index);
                    QTest::mouseClick(form.Widget(vrenkodal::OptionButton(index)), Qt::LeftButton);
                    break;
                }
                case 7: {
                    const bool back = pick(2) == 0;
                    action = back ? QStringLiteral("shift+tab") : QStringLiteral("tab");
                    QTest::keyClick(focus,
                                    back ? Qt::Key_Backtab : Qt::Key_Tab,
                                    back ? Qt::ShiftModifier : Qt::NoModifier);
                    expected.MoveFocus(back ? -1 : 1);
                    break;
                }
            }
            history = (history + QStringLiteral("; ") + action).right(300);
            const QString where = QStringLiteral("seed %1, step %2 (%3): ...%4")
                                      .arg(seed)
                                      .arg(step)
                                      .arg(action, history);
            QVERIFY2(Matches(form, expected), qPrintable(where + Describe(form, expected)));
        }
    }

  private:
    static void Press(Expected& expected, const QString& button) {
        if (button == QLatin1String("Command1_0")) expected.Show();
        if (button == QLatin1String("Command1_1")) expected.Clear();
    }

    static bool Matches(platform::QtForm& form, const Expected& expected) {
        auto* age = qobject_cast<QLineEdit*>(form.Widget(vrenkodal::kAgeBox));
        auto* report = qobject_cast<QPlainTextEdit*>(form.Widget(vrenkodal::kReportBox));
        for (int index = 0; index < 5; ++index) {
            auto* option = qobject_cast<QRadioButton*>(form.Widget(vrenkodal::OptionButton(index)));
            if (option->isChecked() != (index == expected.selected)) return false;
        }
        return age->text() == expected.age && age->hasSelectedText() == expected.age_selected &&
               report->toPlainText() == expected.report &&
               form.Widget(vrenkodal::kKindFrame)->isVisible() == expected.frame &&
               QApplication::focusWidget()->objectName() == expected.focus;
    }

    static QString Describe(platform::QtForm& form, const Expected& expected) {
        auto* age = qobject_cast<QLineEdit*>(form.Widget(vrenkodal::kAgeBox));
        return QStringLiteral(
                   "\n  age '%1' (selected %2), expected '%3' (selected %4)"
                   "\n  frame %5, expected %6; focus %7, expected %8")
            .arg(age->text())
            .arg(age->hasSelectedText())
            .arg(expected.age)
            .arg(expected.age_selected)
            .arg(form.Widget(vrenkodal::kKindFrame)->isVisible())
            .arg(expected.frame)
            .arg(QApplication::focusWidget()->objectName(), expected.focus);
    }
};

QTEST_MAIN(WindowWalkTest)
#include "window_walk_test.moc"
