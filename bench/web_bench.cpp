// SPDX-License-Identifier: MIT
// The browser's program against its floor, a hand-written static page with the same controls,
// side by side in one headless Chromium, and beside them a baseline commit's page where one is
// given: web_bench PAGE.html FLOOR.html RUNS CLICKS [BASELINE.html]
// Loads alternate, the first of each round rotating, so that drift in the machine affects both
// alike. Prints Markdown tables of medians.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/web/webdriver.h"

namespace {

using webdriver::Json;

struct Load {
    double first_paint = 0;      // first contentful paint, ms after navigation start
    double load_event = 0;       // end of the load event
    double ready_for_input = 0;  // a click is handled from here on
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The middle half of the values, "q1–q3", as a measure of their spread.
std::string MiddleHalf(std::vector<double> values, int decimals) {
    if (values.empty()) return "";
    std::sort(values.begin(), values.end());
    char text[64];
    std::snprintf(text,
                  sizeof text,
                  "%.*f–%.*f",
                  decimals,
                  values[values.size() / 4],
                  decimals,
                  values[values.size() * 3 / 4]);
    return text;
}

// The program marks the moment its presses are bound; a static page handles a click (by doing
// nothing) once it has loaded.
Load Open(webdriver::Session& browser, const std::string& page) {
    browser.Navigate("about:blank");
    browser.Navigate("file://" + page);
    const Json times = browser.ExecuteAsync(R"(
        const done = arguments[0];
        (function wait() {
          const paint = performance.getEntriesByName("first-contentful-paint")[0];
          const page = performance.getEntriesByType("navigation")[0];
          const program = document.querySelector("script") != null;
          const ready = performance.getEntriesByName("vrenkodal-ready")[0];
          if (!paint || !page || page.loadEventEnd == 0 || (program && !ready))
            return setTimeout(wait, 5);
          done([paint.startTime, page.loadEventEnd, program ? ready.startTime : page.loadEventEnd]);
        })();)");
    return {times[0].get<double>(), times[1].get<double>(), times[2].get<double>()};
}

// The page's own time for one mouse click on the button: its click handlers, then the frame
// that shows what they changed (style, layout, paint), timed inside the page from a listener
// that runs before the page's own and one that runs after them. The age in the box alternates,
// so every press changes the report. The page is otherwise idle, so this time is CPU time.
constexpr const char* kClockScript = R"(
window.clickTimes = [];
let start = 0;
addEventListener("click", () => { start = performance.now(); }, true);
addEventListener("click", () => {
  const handlers = performance.now() - start;
  requestAnimationFrame(() => {
    const frame = performance.now();
    setTimeout(() => clickTimes.push(handlers + performance.now() - frame));
  });
});)";

double ClickMilliseconds(webdriver::Session& browser, const Json& button, int round) {
    browser.Evaluate("document.querySelector('input[maxlength]').value = arguments[0];",
                     {round % 2 ? "61" : "45"});
    browser.Click(button, 0, 0);
    return browser
        .ExecuteAsync(R"(
            const count = arguments[0], done = arguments[1];
            (function wait() {
              clickTimes.length > count ? done(clickTimes[count]) : setTimeout(wait, 1);
            })();)",
                      {round})
        .get<double>();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: web_bench PAGE.html FLOOR.html RUNS CLICKS [BASELINE.html]\n");
        return 2;
    }
    // The page measured, the floor, and the baseline commit's page where one is given.
    std::vector<std::string> pages = {std::filesystem::absolute(argv[1]).string(),
                                      std::filesystem::absolute(argv[2]).string()};
    if (argc == 6) pages.push_back(std::filesystem::absolute(argv[5]).string());
    const std::size_t count = pages.size();
    const int runs = std::stoi(argv[3]);
    const int clicks = std::stoi(argv[4]);
    try {
        webdriver::Session browser(1024, 768);
        std::vector<std::vector<Load>> loads(count);
        for (const std::string& page : pages) Open(browser, page);  // unmeasured: the file cache
        for (int run = 0; run < runs; ++run) {
            for (std::size_t turn = 0; turn < count; ++turn) {
                const std::size_t which = (run + turn) % count;
                loads[which].push_back(Open(browser, pages[which]));
            }
        }
        std::vector<std::vector<double>> click_times(count);
        for (std::size_t which = 0; which < count; ++which) {
            Open(browser, pages[which]);
            browser.Evaluate(kClockScript);
            const Json button = browser.Execute("return document.querySelector('button')");
            for (int round = 0; round < clicks + 20; ++round) {
                const double time = ClickMilliseconds(browser, button, round);
                if (round >= 20) click_times[which].push_back(time);  // after a warm-up
            }
        }

        const auto values = [&](std::size_t which, double Load::*field) {
            std::vector<double> taken;
            for (const Load& load : loads[which]) taken.push_back(load.*field);
            return taken;
        };
        const auto medians = [&](double Load::*field) {
            std::vector<double> taken;
            for (std::size_t which = 0; which < count; ++which) {
                taken.push_back(Median(values(which, field)));
            }
            return taken;
        };
        std::vector<double> bytes, click;
        for (std::size_t which = 0; which < count; ++which) {
            bytes.push_back(static_cast<double>(std::filesystem::file_size(pages[which])));
            click.push_back(Median(click_times[which]));
        }
        const std::vector<double> paint = medians(&Load::first_paint);
        const std::vector<double> load = medians(&Load::load_event);
        const std::vector<double> ready = medians(&Load::ready_for_input);
        // Each row: each page's figure, and the floor's figure the goal compares with.
        struct Row {
            std::string what;
            int decimals;
            std::vector<double> figures;
            double against;
            std::string goal;  // empty: none
            bool met;
            std::string spread;  // the page's middle half
        };
        const Row rows[] = {
            {"size (bytes)", 0, bytes, bytes[1], "at most 40 KB (40,960)", bytes[0] <= 40960, ""},
            {"first contentful paint, median (ms)",
             1,
             paint,
             paint[1],
             "at most 1.10 × the floor",
             paint[0] <= 1.10 * paint[1],
             MiddleHalf(values(0, &Load::first_paint), 1)},
            {"load event, median (ms)",
             1,
             load,
             load[1],
             "",
             false,
             MiddleHalf(values(0, &Load::load_event), 1)},
            {"ready for input, median (ms); the floor: its load event",
             1,
             ready,
             load[1],
             "at most 1.25 × the floor's load event",
             ready[0] <= 1.25 * load[1],
             MiddleHalf(values(0, &Load::ready_for_input), 1)},
            {"one click: its handlers and the next frame, median of " + std::to_string(clicks) +
                 " (ms)",
             1,
             click,
             click[1],
             "under 1 ms",
             click[0] < 1.0,
             MiddleHalf(click_times[0], 1)},
        };
        const bool baseline = count == 3;
        std::printf(
            "| %d loads each, in rotating order | vrenkodal.html | its middle half |%s static "
            "floor | ÷ floor |%s goal |\n|---|---|---|---|---|---|%s\n",
            runs,
            baseline ? " baseline |" : "",
            baseline ? " ÷ baseline |" : "",
            baseline ? "---|---|" : "");
        for (const Row& row : rows) {
            std::printf("| %s | %.*f | %s |",
                        row.what.c_str(),
                        row.decimals,
                        row.figures[0],
                        row.spread.c_str());
            if (baseline) std::printf(" %.*f |", row.decimals, row.figures[2]);
            std::printf(
                " %.*f | %.2f |", row.decimals, row.figures[1], row.figures[0] / row.against);
            if (baseline) std::printf(" %.2f |", row.figures[0] / row.figures[2]);
            std::printf(" %s%s |\n",
                        row.goal.c_str(),
                        row.goal.empty() ? ""
                        : row.met        ? ": met"
                                         : ": not met");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "web_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
