// SPDX-License-Identifier: MIT
// Draws the README's picture of the browser's window: web_screenshot PAGE.html OUT.png
// The page in headless Chromium, after the age 45 and a click on "Изведи".
#include <cstdio>
#include <fstream>

#include "tests/web/webdriver.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_screenshot PAGE.html OUT.png\n");
        return 2;
    }
    try {
        webdriver::Session browser(800, 600);
        browser.OpenProgram(std::string("file://") + argv[1]);
        browser.Evaluate("document.getElementById('Text2').focus()");
        browser.Keys({"4", "5"});
        browser.Click(browser.Execute("return document.getElementById('Command1_0')"), 0, 0);
        const auto png =
            browser.ElementScreenshotFile(browser.Execute("return document.querySelector('main')"));
        std::ofstream out(argv[2], std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "web_screenshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
