// SPDX-License-Identifier: MIT
// Draws the README's pictures of the browser's window: web_screenshot PAGE.html OUT.png [phone]
// The page in headless Chromium, after the age 45 and a press of "Изведи": on a desktop, or on
// an upright phone 360 CSS pixels wide, by touch.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "tests/web/webdriver.h"

int main(int argc, char** argv) {
    const bool phone = argc == 4 && std::string_view(argv[3]) == "phone";
    if (argc != 3 && !phone) {
        std::fprintf(stderr, "usage: web_screenshot PAGE.html OUT.png [phone]\n");
        return 2;
    }
    try {
        webdriver::Session browser(800, 600);
        const std::string page = "file://" + std::filesystem::absolute(argv[1]).string();
        if (phone) browser.ShowAs(360, 740, true);
        const char* pointer = phone ? "touch" : "mouse";
        browser.OpenProgram(page);
        browser.Tap("Text2", pointer);
        browser.WaitFor("document.activeElement.id == 'Text2'");
        browser.Keys({"4", "5"});
        browser.Tap("Command1_0", pointer);
        if (!browser.WaitFor("document.getElementById('Text1_0').value.startsWith('Въведени')")) {
            throw std::runtime_error("the press made no report");
        }
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
