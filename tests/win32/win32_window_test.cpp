// SPDX-License-Identifier: MIT
// What only the Win32 window decides: pixels and fonts at each monitor's DPI and the user's
// text size, and the text conversion at the Windows boundary.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_form.h"
#include "window/binding.h"
#include "window/description.h"

namespace {

using platform::Control;

// The user's text size as Settings keeps it, for the length of a test.
class TextSizeSetting {
  public:
    explicit TextSizeSetting(DWORD percent) { Set(percent); }
    ~TextSizeSetting() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue); }
    TextSizeSetting(const TextSizeSetting&) = delete;
    TextSizeSetting& operator=(const TextSizeSetting&) = delete;
    void Set(DWORD percent) {
        ASSERT_EQ(
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &percent, sizeof percent),
            ERROR_SUCCESS);
    }

  private:
    static constexpr wchar_t kKey[] = L"Software\\Microsoft\\Accessibility";
    static constexpr wchar_t kValue[] = L"TextScaleFactor";
};

// Every control at its place and every font at its size for the window's pixels an inch, and
// every caption whole in its control with that font.
void ExpectLaidOutAt(const platform::Win32Form& form, int dpi) {
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

        if (control.kind == platform::ControlKind::TextBox || control.text.empty()) continue;
        // An option button draws its mark, a square of the menu check's size, before the text.
        const int mark = control.kind == platform::ControlKind::OptionButton
                             ? MulDiv(GetSystemMetrics(SM_CXMENUCHECK) + 4, dpi, 96)
                             : 0;
        RECT text{0, 0, rect.right - rect.left - mark, 0};
        const HDC dc = GetDC(handle);
        const HGDIOBJ previous = SelectObject(dc, handle_font);
        DrawTextW(dc,
                  platform::ToUtf16(control.text).c_str(),
                  -1,
                  &text,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, previous);
        ReleaseDC(handle, dc);
        EXPECT_LE(text.right, rect.right - rect.left - mark) << "the caption is cut at the side";
        EXPECT_LE(text.bottom, rect.bottom - rect.top) << "the caption is cut below";
    }
}

struct ScaleRow {
    const char* name;
    int monitor_dpi;
    DWORD text_size;   // percent, as Settings keeps it
    int expected_dpi;  // 0: as much of the text size as lets the window fit the screen
};

void PrintTo(const ScaleRow& row, std::ostream* out) { *out << row.name; }

class ScaleTest : public testing::TestWithParam<ScaleRow> {};

// On a monitor of another DPI, Windows sends the new DPI and a suggested rectangle; the text
// size multiplies it. The tests' screen is 1024 x 768.
TEST_P(ScaleTest, EveryControlAndFontIsLaidOutAgain) {
    const ScaleRow& row = GetParam();
    TextSizeSetting setting(row.text_size);
    vrenkodal::WindowBinding binding;
    platform::Win32Form form(vrenkodal::MainWindow(), binding.OnPress());
    RECT suggested{10, 10, 600, 500};
    SendMessageW(form.Handle(),
                 WM_DPICHANGED,
                 MAKEWPARAM(row.monitor_dpi, row.monitor_dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    if (row.expected_dpi != 0) {
        EXPECT_EQ(form.Dpi(), row.expected_dpi);
    } else {
        EXPECT_GT(form.Dpi(), row.monitor_dpi) << "none of the text size was taken";
        EXPECT_LT(form.Dpi(), MulDiv(row.monitor_dpi, static_cast<int>(row.text_size), 100));
    }
    ExpectLaidOutAt(form, form.Dpi());
    RECT window;
    GetWindowRect(form.Handle(), &window);
    EXPECT_LE(window.right - window.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(window.bottom - window.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
}

const ScaleRow kScaleRows[] = {
    {"96_dpi", 96, 100, 96},
    {"120_dpi", 120, 100, 120},
    {"144_dpi", 144, 100, 144},
    {"192_dpi", 192, 100, 192},
    {"text_150_percent", 96, 150, 144},
    {"text_125_percent_at_120_dpi", 120, 125, 150},
    {"text_over_the_largest_setting_is_225_percent", 72, 300, 162},
    {"text_150_percent_at_144_dpi_as_large_as_fits", 144, 150, 0},
    {"text_225_percent_at_192_dpi_as_large_as_fits", 192, 225, 0},
};

INSTANTIATE_TEST_SUITE_P(Monitors, ScaleTest, testing::ValuesIn(kScaleRows), [](const auto& info) {
    return std::string(info.param.name);
});

// Settings says that the text size changed with WM_SETTINGCHANGE, naming no setting.
TEST(ScaleTest, FollowsTheTextSizeChangedWhileOpen) {
    TextSizeSetting setting(150);
    vrenkodal::WindowBinding binding;
    platform::Win32Form form(vrenkodal::MainWindow(), binding.OnPress());
    ExpectLaidOutAt(form, 144);
    setting.Set(100);
    SendMessageW(form.Handle(), WM_SETTINGCHANGE, 0, 0);
    ExpectLaidOutAt(form, 96);  // 461 x 345 again
}

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
