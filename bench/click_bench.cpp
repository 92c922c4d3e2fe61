// SPDX-License-Identifier: MIT
// CPU time of one press of "Изведи" and of "Чисти" on the real widgets, each until the window
// has repainted. Run on a display (the benchmark script uses Xvfb) or offscreen.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/qt_form.h"
#include "platform/qt/qt_look.h"
#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

namespace {

constexpr int kWarmUp = 50;
constexpr int kClicks = 2000;

double CpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// Counts paint events, to prove each timed click really repainted something.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(object, event);
    }
};

struct Clicks {
    const char* name;
    std::vector<double> cpu_us;
    long paints = 0;

    // Not inlined, so that a profiler can be told to count only this:
    // valgrind --tool=callgrind --toggle-collect='*Clicks::Time*'
    [[gnu::noinline]] void Time(QPushButton* button, PaintCounter& counter, bool keep) {
        counter.paints = 0;
        const double start = CpuMicroseconds();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        const double cpu = CpuMicroseconds() - start;
        if (!keep) return;
        cpu_us.push_back(cpu);
        paints += counter.paints;
    }

    void Print() {
        std::sort(cpu_us.begin(), cpu_us.end());
        const double mean =
            std::accumulate(cpu_us.begin(), cpu_us.end(), 0.0) / double(cpu_us.size());
        std::printf("| %s | %.0f | %.0f | %.1f |\n",
                    name,
                    cpu_us[cpu_us.size() / 2],
                    mean,
                    double(paints) / double(cpu_us.size()));
    }
};

void SetAge(QLineEdit* age, int round) {
    // Alternate two ages, so that every press changes the report and the selection.
    age->setText(round % 2 ? QStringLiteral("45") : QStringLiteral("61"));
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    platform::UseProgramStyle();
    vrenkodal::WindowBinding binding;
    platform::QtForm form(vrenkodal::MainWindow(), binding.OnPress());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    auto* age = static_cast<QLineEdit*>(form.Widget(vrenkodal::kAgeBox));
    auto* show =
        static_cast<QPushButton*>(form.Widget(vrenkodal::CommandButton(vrenkodal::kShowButton)));
    auto* clear =
        static_cast<QPushButton*>(form.Widget(vrenkodal::CommandButton(vrenkodal::kClearButton)));
    PaintCounter counter;
    application.installEventFilter(&counter);

    // A pupil trying one age after another: the frame stays, the selection and report change.
    Clicks again{"\"Изведи\", the frame already shown", {}};
    // Round trips: "Изведи" shows the hidden frame and its options, "Чисти" hides them.
    Clicks show_frame{"\"Изведи\" after \"Чисти\", showing the frame", {}};
    Clicks clearing{"\"Чисти\"", {}};
    for (int i = 0; i < kWarmUp + kClicks; ++i) {
        SetAge(age, i);
        again.Time(show, counter, i >= kWarmUp);
    }
    for (int i = 0; i < kWarmUp + kClicks; ++i) {
        SetAge(age, i);
        show_frame.Time(show, counter, i >= kWarmUp);
        clearing.Time(clear, counter, i >= kWarmUp);
    }
    std::printf(
        "| click until repainted, %d clicks each, platform %s | CPU median (µs) | CPU mean (µs) "
        "| paint events per click |\n",
        kClicks,
        qPrintable(QGuiApplication::platformName()));
    std::printf("|---|---|---|---|\n");
    again.Print();
    show_frame.Print();
    clearing.Print();
    return 0;
}
