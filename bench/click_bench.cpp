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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

    std::vector<double> show_us, clear_us;
    int show_paints = 0, clear_paints = 0;
    for (int i = 0; i < kWarmUp + kClicks; ++i) {
        // Alternate two ages so that every press changes the report and the selection.
        age->setText(i % 2 ? QStringLiteral("45") : QStringLiteral("61"));
        QApplication::processEvents();

        counter.paints = 0;
        double start = CpuMicroseconds();
        QTest::mouseClick(show, Qt::LeftButton);
        QApplication::processEvents();
        const double show_time = CpuMicroseconds() - start;
        const int painted_on_show = counter.paints;

        counter.paints = 0;
        start = CpuMicroseconds();
        QTest::mouseClick(clear, Qt::LeftButton);
        QApplication::processEvents();
        const double clear_time = CpuMicroseconds() - start;
        if (i < kWarmUp) continue;
        show_us.push_back(show_time);
        clear_us.push_back(clear_time);
        show_paints += painted_on_show;
        clear_paints += counter.paints;
    }
    const auto mean = [](const std::vector<double>& v) {
        return std::accumulate(v.begin(), v.end(), 0.0) / v.size();
    };
    std::printf(
        "| click until repainted, %d clicks, platform %s | CPU median (µs) | CPU mean (µs) "
        "| paint events per click |\n",
        kClicks,
        qPrintable(QGuiApplication::platformName()));
    std::printf("|---|---|---|---|\n");
    std::printf("| \"Изведи\" | %.0f | %.0f | %.1f |\n",
                Median(show_us),
                mean(show_us),
                double(show_paints) / kClicks);
    std::printf("| \"Чисти\" | %.0f | %.0f | %.1f |\n",
                Median(clear_us),
                mean(clear_us),
                double(clear_paints) / kClicks);
    return 0;
}
