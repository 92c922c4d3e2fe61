// SPDX-License-Identifier: MIT
#pragma once

// A W3C WebDriver client for the browser tests: Debian's headless Chromium through its
// chromedriver, or WebKit's MiniBrowser through WebKitWebDriver on an X display, spoken to over
// HTTP with libcurl, in JSON with nlohmann-json.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace webdriver {

using Json = nlohmann::json;

// A program of the test's own, ended with it: chromedriver, or a web server.
class Process {
  public:
    explicit Process(const std::vector<std::string>& argv);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    void End();

  private:
    pid_t pid_ = -1;
};

// A TCP port on the loopback that nothing listens on now.
int FreePort();
// Waits until something listens on the loopback port; false after a few seconds.
bool Listening(int port);

struct Png {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // three bytes a pixel, row by row
};

enum class Browser { Chromium, WebKit };

// The browser VRENKODAL_BROWSER names ("webkit"); Chromium without it.
Browser BrowserFromEnvironment();

// One browser with a window of the given size in CSS pixels: Chromium headless, WebKit on the
// display it is given.
class Session {
  public:
    Session(int width, int height, Browser browser = Browser::Chromium);
    Browser Kind() const { return browser_; }
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Navigate(std::string_view url);
    // Navigates to the program's page and waits until the program has started in it: the page
    // shows the window at once, and the program marks "vrenkodal-ready" once its presses are
    // bound.
    void OpenProgram(std::string_view url);
    std::string Title();
    // Runs a function body in the page with `arguments`; its result, elements as references.
    Json Execute(std::string_view script, Json arguments = Json::array());
    // The same, for a body that ends by calling arguments[arguments.length - 1] with the result.
    Json ExecuteAsync(std::string_view script, Json arguments = Json::array());
    // Input actions, as the W3C Actions command takes them: {"type": "key", ...} sources.
    void Perform(Json sources);
    // A press and release of the main button at x, y from the origin: "viewport", or an
    // element, whose middle is 0, 0. The pointer is a "mouse" or a finger ("touch").
    void Click(const Json& origin, int x, int y, std::string_view pointer = "mouse");
    // Each key pressed and released in turn, with a modifier held through them all.
    void Keys(const std::vector<std::string>& keys, std::string_view modifier = {});
    // The same as Execute, run through DevTools in Chromium: a quarter of the time, for scripts
    // that take and give plain values only, no elements.
    Json Evaluate(std::string_view script, const Json& arguments = Json::array());
    // A Chrome DevTools command, through chromedriver; Chromium only.
    Json DevTools(std::string_view command, Json parameters = Json::object());
    std::vector<std::uint8_t> ElementScreenshotFile(const Json& element);  // a PNG file
    Png ElementScreenshot(const Json& element);
    std::string ComputedLabel(const Json& element);
    void SetWindowSize(int width, int height);
    // The page as a screen of that size in CSS pixels shows it, touched or not: Chromium
    // emulates the screen; WebKit sizes its window, which has no touch and a smallest width.
    // False where the browser cannot; ShowAsDesktop() returns to a 1024 x 768 desktop.
    bool ShowAs(int width, int height, bool touch);
    void ShowAsDesktop();
    // Scrolls to the element, as a pupil on a short screen would, and clicks or taps its middle.
    void Tap(std::string_view id, std::string_view pointer = "mouse");
    // Waits at most three seconds for a script's condition to hold, as a tap takes effect only
    // once its gesture has ended; whether it held.
    bool WaitFor(std::string_view condition);
    Json Window(std::string_view action);  // "maximize", "minimize": the window's new rect

  private:
    Json Call(std::string_view method, std::string_view path, const Json* body = nullptr);

    Browser browser_;
    int port_;
    std::unique_ptr<Process> driver_;
    std::unique_ptr<void, void (*)(void*)> curl_;
    std::string prefix_;  // /session/<id>
};

}  // namespace webdriver
