// SPDX-License-Identifier: MIT
// What only the Win32 window decides: pixels and fonts at each monitor's DPI, and the text
// conversion at the Windows boundary.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_form.h"
#include "window/binding.h"
#include "window/description.h"

namespace {

using platform::Control;

// Moving to a monitor of another DPI: Windows sends the new DPI and a suggested rectangle.
class DpiTest : public testing::TestWithParam<int> {};

TEST_P(DpiTest, EveryControlAndFontIsLaidOutAgain) {
    const int dpi = GetParam();
    vrenkodal::WindowBinding binding;
    platform::Win32Form form(vrenkodal::MainWindow(), binding.OnPress());
    RECT suggested{10, 10, 600, 500};
    SendMessageW(
        form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), dpi);

    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, MulDiv(6915, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(5175, dpi, 1440));
    for (const Control& control : vrenkodal::MainWindow().controls) {
        SCOPED_TRACE(std::string(control.ref.name) + std::to_string(control.ref.index));
        const HWND handle = form.Widget(control.ref);
        RECT rect;
        GetWindowRect(handle, &rect);
        MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, MulDiv(control.left, dpi, 1440));
        EXPECT_EQ(rect.top, MulDiv(control.top, dpi, 1440));
        EXPECT_EQ(rect.right - rect.left, MulDiv(control.width, dpi, 1440));
        EXPECT_EQ(rect.bottom - rect.top, MulDiv(control.height, dpi, 1440));

        LOGFONTW font{};
        const auto handle_font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
        ASSERT_EQ(GetObjectW(handle_font, sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, -MulDiv(12, dpi, 72));
        EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);
        EXPECT_EQ(font.lfWeight, control.font && control.font->bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Times New Roman");
    }
}

INSTANTIATE_TEST_SUITE_P(Monitors,
                         DpiTest,
                         testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "_dpi"; });

// ---- UTF-8 inside, UTF-16 at the boundary ---------------------------------------------------

struct TextRow {
    const char* name;
    std::wstring utf16;
    std::string utf8;
};

void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }

class TextTest : public testing::TestWithParam<TextRow> {};

TEST_P(TextTest, ConvertsWithoutFailing) {
    EXPECT_EQ(platform::ToUtf8(GetParam().utf16), GetParam().utf8);
}

// What the age box can hold after a paste cut at two UTF-16 units, among others.
const TextRow kTextRows[] = {
    {"digits", L"45", "45"},
    {"cyrillic", L"Волски", "Волски"},
    {"crlf_kept", L"a\r\nb", "a\r\nb"},
    {"pair_outside_the_basic_plane", L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
    {"digit_and_lone_high_half", L"1\xD83D", "1\xEF\xBF\xBD"},
    {"lone_low_half_first",
     L"\xDE00"
     L"5",
     "\xEF\xBF\xBD"
     "5"},
    {"two_high_halves", L"\xD83D\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
};

INSTANTIATE_TEST_SUITE_P(Boundary, TextTest, testing::ValuesIn(kTextRows), [](const auto& info) {
    return std::string(info.param.name);
});

TEST(TextTest, MalformedUtf8BecomesReplacementAndTheRestSurvives) {
    EXPECT_EQ(platform::ToUtf16("4\xFF"
                                "5"),
              L"4\xFFFD"
              L"5");
    EXPECT_EQ(platform::ToUtf16("\xD0"), L"\xFFFD");                      // cut short
    EXPECT_EQ(platform::ToUtf16("\xC0\xB5"), L"\xFFFD\xFFFD");            // overlong
    EXPECT_EQ(platform::ToUtf16("\xED\xA0\xBD"), L"\xFFFD\xFFFD\xFFFD");  // an encoded surrogate
    for (const TextRow& row : kTextRows) {
        if (row.utf8.find("\xEF\xBF\xBD") == std::string::npos) {
            EXPECT_EQ(platform::ToUtf16(row.utf8), row.utf16) << row.name;
        }
    }
}

}  // namespace
