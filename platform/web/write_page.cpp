// SPDX-License-Identifier: MIT
// Writes the page of the web program, with the window already in it:
// write_page FILE.html ICON.base64 (the window's icon as a PNG, in base64). The script, the
// window's behaviour and the program, is added to it when the page is assembled.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/web/page.h"
#include "window/description.h"

namespace {

// What a search engine shows under the page's title.
constexpr const char* kDescription =
    "Какъв вид са годините на човек на дадена възраст: до 30 човешки, после конски, волски, "
    "кучешки и маймунски. Училищно упражнение по физическо възпитание и информатика.";

// What a browser with JavaScript turned off shows under the window, whose buttons then do
// nothing: a school's policy or a reader's add-on may have turned it off.
constexpr const char* kWithoutScript =
    "<noscript><p style=\"margin:1em 8px\">Програмата има нужда от JavaScript, а в този браузър той е "
    "изключен. Включете го за тази страница в настройките на браузъра.</p></noscript>\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_page FILE.html ICON.base64\n");
        return 2;
    }
    std::ifstream icon_file(argv[2], std::ios::binary);
    const std::string icon{std::istreambuf_iterator<char>(icon_file), {}};
    if (!icon_file || icon.empty()) {
        std::fprintf(stderr, "write_page: cannot read the icon %s\n", argv[2]);
        return 1;
    }
    const platform::Window& window = vrenkodal::MainWindow();
    std::ofstream page(argv[1], std::ios::binary);
    page << "<!DOCTYPE html>\n<html lang=\"bg\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>" << platform::web::PageTitle(window.caption) << "</title>\n"
         << "<meta name=\"description\" content=\"" << kDescription << "\">\n"
         << "<link rel=\"icon\" type=\"image/png\" sizes=\"32x32\" href=\"data:image/png;base64,"
         << icon << "\">\n"
         << "<style>\nbody{margin:0}\n"
         << platform::web::WindowStyle(window) << "</style>\n</head>\n<body>\n"
         << platform::web::WindowMarkup(window, vrenkodal::kReportBox) << kWithoutScript
         << "</body>\n</html>\n";
    if (!page.flush()) {
        std::fprintf(stderr, "write_page: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
