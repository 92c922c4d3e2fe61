// SPDX-License-Identifier: MIT
// Times programs from exec to their first frame on the X display in $DISPLAY, side by side in
// rotating order, and reads their peak resident memory at that moment. The first program is
// the one measured; the ratios compare it with each of the others.
// Usage: startup_harness RUNS NAME=PROGRAM NAME=PROGRAM...
//
// "First frame" is the moment a pixel at the centre of the program's top-level window stops
// being the black of an Xvfb root started with -br: the window is mapped and painted.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPollPause = std::chrono::microseconds(100);

struct Program {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
    std::vector<double> peak_mib;
};

long PeakResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// A mapped top-level window whose centre pixel is no longer black, if there is one.
bool FirstFrameDrawn(Display* display) {
    Window root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(
            display, DefaultRootWindow(display), &root_return, &parent, &children, &count)) {
        return false;
    }
    bool drawn = false;
    for (unsigned i = 0; i < count && !drawn; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable || attributes.width < 100) {
            continue;
        }
        XImage* image = XGetImage(display,
                                  children[i],
                                  attributes.width / 2,
                                  attributes.height / 2,
                                  1,
                                  1,
                                  AllPlanes,
                                  ZPixmap);
        if (image) {
            drawn = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
            XDestroyImage(image);
        }
    }
    if (children) XFree(children);
    return drawn;
}

bool RunOnce(Display* display, Program& program) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool drawn = false;
    while (Clock::now() - start < kTimeout) {
        if (FirstFrameDrawn(display)) {
            drawn = true;
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
        std::this_thread::sleep_for(kPollPause);
    }
    const auto elapsed = Clock::now() - start;
    const long peak = PeakResidentKib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSync(display, False);
    if (!drawn) return false;
    program.milliseconds.push_back(std::chrono::duration<double, std::milli>(elapsed).count());
    program.peak_mib.push_back(peak / 1024.0);
    // Let the server forget the window before the next run looks for one.
    while (FirstFrameDrawn(display)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRow(const char* what,
              const std::vector<Program>& programs,
              double (*measure)(const Program&)) {
    std::printf("| %s |", what);
    for (const Program& program : programs) std::printf(" %.1f |", measure(program));
    for (std::size_t i = 1; i < programs.size(); ++i) {
        std::printf(" %.2f |", measure(programs[0]) / measure(programs[i]));
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: startup_harness RUNS NAME=PROGRAM NAME=PROGRAM...\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fputs("startup_harness: RUNS must be a whole number above 0\n", stderr);
        return 2;
    }
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}});
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("startup_harness: cannot open the display in $DISPLAY\n", stderr);
        return 1;
    }
    // A window may vanish between listing and reading it; such a request just fails.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    // One unmeasured run each warms the file cache for all alike.
    for (auto& program : programs) {
        if (!RunOnce(display, program)) {
            std::fprintf(stderr, "startup_harness: %s drew no window\n", program.name.c_str());
            return 1;
        }
        program.milliseconds.clear();
        program.peak_mib.clear();
    }
    const std::size_t count = programs.size();
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 0; k < count; ++k) {
            Program& program = programs[(run + k) % count];  // rotate which goes first
            if (!RunOnce(display, program)) {
                std::fprintf(stderr, "startup_harness: %s drew no window\n", program.name.c_str());
                return 1;
            }
        }
    }
    XCloseDisplay(display);

    std::printf("| %d runs each, in rotating order |", runs);
    for (const Program& program : programs) std::printf(" %s |", program.name.c_str());
    for (std::size_t i = 1; i < count; ++i) {
        std::printf(" %s ÷ %s |", programs[0].name.c_str(), programs[i].name.c_str());
    }
    std::printf("\n|---|");
    for (std::size_t i = 0; i < 2 * count - 1; ++i) std::printf("---|");
    std::printf("\n");
    PrintRow("exec to first frame, median (ms)", programs, [](const Program& p) {
        return Median(p.milliseconds);
    });
    PrintRow("exec to first frame, fastest (ms)", programs, [](const Program& p) {
        return *std::min_element(p.milliseconds.begin(), p.milliseconds.end());
    });
    // Each round starts every program once, so the ratio within a round leaves out how the
    // shared machine's speed drifts from one round to the next.
    std::printf("| exec to first frame, median of the ratios within a round |");
    for (std::size_t i = 0; i < count; ++i) std::printf(" |");
    for (std::size_t i = 1; i < count; ++i) {
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) {
            ratios.push_back(programs[0].milliseconds[run] / programs[i].milliseconds[run]);
        }
        std::printf(" %.2f |", Median(ratios));
    }
    std::printf("\n");
    PrintRow("peak resident memory at first frame, median (MiB)", programs, [](const Program& p) {
        return Median(p.peak_mib);
    });
    return 0;
}
