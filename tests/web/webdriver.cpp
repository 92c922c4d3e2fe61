// SPDX-License-Identifier: MIT
#include "tests/web/webdriver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include <curl/curl.h>
#include <openssl/evp.h>
#include <png.h>

extern char** environ;

namespace webdriver {

namespace {

// Every reference to an element carries this key, by the W3C standard.
constexpr const char* kElementKey = "element-6066-11e4-a52e-4f735466cecf";

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* into) {
    static_cast<std::string*>(into)->append(data, size * count);
    return size * count;
}

std::vector<std::uint8_t> FromBase64(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.size() / 4 * 3 + 3);
    const int length = EVP_DecodeBlock(
        bytes.data(), reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
    if (length < 0) throw std::runtime_error("webdriver: a screenshot that is not base64");
    // The block decoder counts the padding as bytes.
    std::size_t padding = 0;
    for (auto c = text.rbegin(); c != text.rend() && *c == '='; ++c) ++padding;
    bytes.resize(static_cast<std::size_t>(length) - padding);
    return bytes;
}

Png DecodePng(const std::vector<std::uint8_t>& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        throw std::runtime_error(std::string("webdriver: a screenshot that is no PNG: ") +
                                 image.message);
    }
    image.format = PNG_FORMAT_RGB;
    Png png{int(image.width), int(image.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr)) {
        throw std::runtime_error(std::string("webdriver: ") + image.message);
    }
    return png;
}

}  // namespace

Process::Process(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    if (posix_spawnp(&pid_, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
}

Process::~Process() { End(); }

void Process::End() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int FreePort() {
    const int socket_fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(socket_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(socket_fd);
        throw std::runtime_error("webdriver: no free port on the loopback");
    }
    close(socket_fd);
    return ntohs(address.sin_port);
}

bool Listening(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int socket_fd = socket(AF_INET, SOCK_STREAM, 0);
        const bool connected =
            connect(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(socket_fd);
        if (connected) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

Browser BrowserFromEnvironment() {
    const char* name = std::getenv("VRENKODAL_BROWSER");
    return name != nullptr && std::string_view(name) == "webkit" ? Browser::WebKit
                                                                 : Browser::Chromium;
}

namespace {

std::vector<std::string> DriverCommand(Browser browser, int port) {
    if (browser == Browser::WebKit) return {"WebKitWebDriver", "--port=" + std::to_string(port)};
    return {"chromedriver", "--port=" + std::to_string(port), "--silent"};
}

// The machine has no network: Chromium is kept from looking for one, and from its first-run and
// sync pages. Scroll bars stay shown, as on a desktop. MiniBrowser is WebKitGTK's own browser.
Json Capabilities(Browser browser, int width, int height) {
    if (browser == Browser::WebKit) {
        return {{"webkitgtk:browserOptions",
                 {{"binary", VRENKODAL_MINIBROWSER}, {"args", {"--automation"}}}}};
    }
    return {{"browserName", "chrome"},
            {"goog:chromeOptions",
             {{"binary", "/usr/bin/chromium"},
              {"args",
               {"--headless=new",
                "--no-sandbox",
                "--disable-gpu",
                "--disable-quic",
                "--no-first-run",
                "--disable-background-networking",
                "--disable-component-update",
                "--disable-sync",
                "--lang=bg",
                "--force-device-scale-factor=1",
                "--window-size=" + std::to_string(width) + "," + std::to_string(height)}},
              {"excludeSwitches", {"hide-scrollbars", "enable-automation"}}}}};
}

}  // namespace

Session::Session(int width, int height, Browser browser)
    : browser_(browser),
      port_(FreePort()),
      driver_(std::make_unique<Process>(DriverCommand(browser, port_))),
      curl_(curl_easy_init(), curl_easy_cleanup) {
    const Json capabilities = Capabilities(browser, width, height);
    const Json body = {{"capabilities", {{"alwaysMatch", capabilities}}}};
    // chromedriver takes a moment to listen.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        try {
            if (Call("GET", "/status").at("ready").get<bool>()) break;
        } catch (const std::runtime_error&) {
            if (std::chrono::steady_clock::now() > deadline) throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    prefix_ = "/session/" + Call("POST", "/session", &body).at("sessionId").get<std::string>();
    if (browser == Browser::WebKit) SetWindowSize(width, height);
}

Session::~Session() {
    try {
        if (!prefix_.empty()) Call("DELETE", "");
    } catch (const std::runtime_error&) {
        // The browser is gone already; chromedriver ends with the process.
    }
}

Json Session::Call(std::string_view method, std::string_view path, const Json* body) {
    CURL* curl = curl_.get();
    const std::string url =
        "http://127.0.0.1:" + std::to_string(port_) + prefix_ + std::string(path);
    const std::string sent = body ? body->dump() : "";
    std::string received;
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, std::string(method).c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, method == "POST" ? sent.c_str() : nullptr);
    curl_easy_setopt(curl, CURLOPT_HTTPGET, method == "GET" ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    const CURLcode result = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    if (result != CURLE_OK) {
        throw std::runtime_error("webdriver: " + std::string(method) + " " + url + ": " +
                                 curl_easy_strerror(result));
    }
    const Json reply = Json::parse(received, nullptr, false);
    if (reply.is_discarded() || !reply.contains("value")) {
        throw std::runtime_error("webdriver: not a WebDriver reply: " + received.substr(0, 200));
    }
    const Json& value = reply["value"];
    if (value.is_object() && value.contains("error")) {
        throw std::runtime_error("webdriver: " + std::string(path) + ": " +
                                 value.value("error", "") + ": " + value.value("message", ""));
    }
    return value;
}

void Session::Navigate(std::string_view url) {
    const Json body = {{"url", url}};
    Call("POST", "/url", &body);
}

void Session::OpenProgram(std::string_view url) {
    Navigate(url);
    ExecuteAsync(R"(
        const done = arguments[0];
        (function wait() {
          performance.getEntriesByName("vrenkodal-ready").length ? done() : setTimeout(wait, 5);
        })();)");
}

std::string Session::Title() { return Call("GET", "/title").get<std::string>(); }

Json Session::Execute(std::string_view script, Json arguments) {
    const Json body = {{"script", script}, {"args", std::move(arguments)}};
    return Call("POST", "/execute/sync", &body);
}

Json Session::ExecuteAsync(std::string_view script, Json arguments) {
    const Json body = {{"script", script}, {"args", std::move(arguments)}};
    return Call("POST", "/execute/async", &body);
}

Json Session::Evaluate(std::string_view script, const Json& arguments) {
    if (browser_ == Browser::WebKit) return Execute(script, arguments);
    const std::string expression =
        "(function(){" + std::string(script) + "\n}).apply(null, " + arguments.dump() + ")";
    const Json reply =
        DevTools("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
    if (reply.contains("exceptionDetails")) {
        throw std::runtime_error("webdriver: script failed: " + reply["exceptionDetails"].dump());
    }
    return reply.at("result").value("value", Json());
}

void Session::Perform(Json sources) {
    const Json body = {{"actions", std::move(sources)}};
    Call("POST", "/actions", &body);
}

void Session::Click(const Json& origin, int x, int y, std::string_view pointer) {
    Perform({{{"type", "pointer"},
              {"id", pointer},
              {"parameters", {{"pointerType", pointer}}},
              {"actions",
               {{{"type", "pointerMove"}, {"origin", origin}, {"x", x}, {"y", y}},
                {{"type", "pointerDown"}, {"button", 0}},
                {{"type", "pointerUp"}, {"button", 0}}}}}});
}

void Session::Keys(const std::vector<std::string>& keys, std::string_view modifier) {
    Json actions = Json::array();
    if (!modifier.empty()) actions.push_back({{"type", "keyDown"}, {"value", modifier}});
    for (const std::string& key : keys) {
        actions.push_back({{"type", "keyDown"}, {"value", key}});
        actions.push_back({{"type", "keyUp"}, {"value", key}});
    }
    if (!modifier.empty()) actions.push_back({{"type", "keyUp"}, {"value", modifier}});
    Perform({{{"type", "key"}, {"id", "keyboard"}, {"actions", actions}}});
}

Json Session::DevTools(std::string_view command, Json parameters) {
    const Json body = {{"cmd", command}, {"params", std::move(parameters)}};
    return Call("POST", "/goog/cdp/execute", &body);
}

std::vector<std::uint8_t> Session::ElementScreenshotFile(const Json& element) {
    const std::string id = element.at(kElementKey).get<std::string>();
    return FromBase64(Call("GET", "/element/" + id + "/screenshot").get<std::string>());
}

Png Session::ElementScreenshot(const Json& element) {
    return DecodePng(ElementScreenshotFile(element));
}

std::string Session::ComputedLabel(const Json& element) {
    const std::string id = element.at(kElementKey).get<std::string>();
    return Call("GET", "/element/" + id + "/computedlabel").get<std::string>();
}

void Session::SetWindowSize(int width, int height) {
    const Json body = {{"width", width}, {"height", height}};
    Call("POST", "/window/rect", &body);
}

bool Session::ShowAs(int width, int height, bool touch) {
    if (browser_ == Browser::WebKit) {
        SetWindowSize(width, height);
        return !touch && Evaluate("return innerWidth").get<int>() == width;
    }
    ShowAsDesktop();
    DevTools("Emulation.setDeviceMetricsOverride",
             {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", touch}});
    DevTools("Emulation.setTouchEmulationEnabled", {{"enabled", touch}});
    return true;
}

void Session::ShowAsDesktop() {
    if (browser_ == Browser::Chromium) {
        DevTools("Emulation.clearDeviceMetricsOverride");
        DevTools("Emulation.setTouchEmulationEnabled", {{"enabled", false}});
    }
    SetWindowSize(1024, 768);
}

void Session::Tap(std::string_view id, std::string_view pointer) {
    const Json middle = Evaluate(R"(
        const e = document.getElementById(arguments[0]);
        e.scrollIntoView({block: "nearest"});
        const r = e.getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2].map(Math.floor);)",
                                 {id});
    Click("viewport", middle[0].get<int>(), middle[1].get<int>(), pointer);
}

bool Session::WaitFor(std::string_view condition) {
    return ExecuteAsync(R"(
        const done = arguments[0], until = performance.now() + 3000;
        (function wait() {
          if ()" + std::string(condition) +
                        R"() return done(true);
          performance.now() > until ? done(false) : setTimeout(wait, 5);
        })();)")
        .get<bool>();
}

Json Session::Window(std::string_view action) {
    const Json body = Json::object();
    return Call("POST", "/window/" + std::string(action), &body);
}

}  // namespace webdriver
