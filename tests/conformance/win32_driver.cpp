// SPDX-License-Identifier: MIT
// The window on Win32, driven with SendInput as a user's keyboard and mouse would, and read
// back from the screen. Runs under Wine on an X display of its own.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "platform/win32/dpi.h"
#include "platform/win32/high_contrast.h"
#include "platform/win32/live_region.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/window_text.h"
#include "tests/conformance/window_driver.h"
#include "window/binding.h"
#include "window/description.h"

namespace conformance {

namespace {

using platform::ControlRef;

void Send(std::initializer_list<INPUT> inputs) {
    std::vector<INPUT> all(inputs);
    SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT UnicodeInput(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Each live region's text when it said it changed, as a screen reader reads it then.
std::vector<std::string>& Heard() {
    static std::vector<std::string> heard;
    return heard;
}
void CALLBACK Listen(HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) Heard().push_back(platform::ToUtf8(platform::WindowText(control)));
}

class Win32Driver final : public WindowDriver {
  public:
    Win32Driver() : form_(vrenkodal::MainWindow(), binding_.OnPress()) {
        Heard().clear();
        hook_ = SetWinEventHook(platform::kLiveRegionChanged,
                                platform::kLiveRegionChanged,
                                nullptr,
                                Listen,
                                GetCurrentProcessId(),
                                0,
                                WINEVENT_OUTOFCONTEXT);
        ShowWindow(form_.Handle(), SW_SHOWNORMAL);
        SetForegroundWindow(form_.Handle());
        UpdateWindow(form_.Handle());
        Settle();
    }
    ~Win32Driver() override {
        SetHighContrast(false);
        UnhookWinEvent(hook_);
    }

    Rect Geometry(ControlRef control) override {
        RECT rect;
        if (control == kWindow) {
            GetClientRect(form_.Handle(), &rect);
        } else {
            const HWND handle = form_.Widget(control);
            GetWindowRect(handle, &rect);
            MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
        }
        return {At96(rect.left),
                At96(rect.top),
                At96(rect.right - rect.left),
                At96(rect.bottom - rect.top)};
    }
    bool TabCyclesWithin() override { return true; }
    bool FixedSize() override { return !(Style() & WS_THICKFRAME); }
    bool Minimisable() override { return Style() & WS_MINIMIZEBOX; }
    bool Maximisable() override { return Style() & WS_MAXIMIZEBOX; }
    std::string Title() override { return platform::ToUtf8(platform::WindowText(form_.Handle())); }
    int IconSize() override {
        const auto icon =
            reinterpret_cast<HICON>(SendMessageW(form_.Handle(), WM_GETICON, ICON_BIG, 0));
        ICONINFO info{};
        if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return bitmap.bmWidth;
    }

    // From the screen itself, as a screenshot would see it.
    Image Grab(ControlRef control) override {
        Settle();
        RECT rect;
        if (control == kWindow) {
            GetClientRect(form_.Handle(), &rect);
            MapWindowPoints(form_.Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        } else {
            GetWindowRect(form_.Widget(control), &rect);
        }
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        Image image{width, height, {}};
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            image.pixels.push_back({pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]});
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return image;
    }
    bool Visible(ControlRef control) override { return IsWindowVisible(form_.Widget(control)); }
    bool Enabled(ControlRef control) override { return IsWindowEnabled(form_.Widget(control)); }
    bool Checked(ControlRef option) override {
        return SendMessageW(form_.Widget(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool HasSelectedText(ControlRef text_box) override {
        DWORD start = 0, end = 0;
        SendMessageW(form_.Widget(text_box),
                     EM_GETSEL,
                     reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return start != end;
    }
    std::optional<ControlRef> Focused() override {
        Settle();
        for (const platform::Control& control : vrenkodal::MainWindow().controls) {
            if (form_.Widget(control.ref) == GetFocus()) return control.ref;
        }
        return std::nullopt;
    }
    std::string AccessibleName(ControlRef control) override {
        IAccessible* accessible = nullptr;
        if (FAILED(AccessibleObjectFromWindow(form_.Widget(control),
                                              static_cast<DWORD>(OBJID_CLIENT),
                                              IID_IAccessible,
                                              reinterpret_cast<void**>(&accessible)))) {
            return {};
        }
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        std::string result;
        if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
            result = platform::ToUtf8(std::wstring_view(name, SysStringLen(name)));
            SysFreeString(name);
        }
        accessible->Release();
        return result;
    }

    // The space bar is a key of its own (a focused button presses on it); any other character
    // comes as the Unicode input that an input method sends.
    void Type(std::u16string_view character) override {
        if (character == u" ") return Press(Key::Space);
        for (const char16_t unit : character) {
            Send({UnicodeInput(static_cast<wchar_t>(unit), false),
                  UnicodeInput(static_cast<wchar_t>(unit), true)});
        }
        Settle();
    }
    void Press(Key key) override {
        switch (key) {
            case Key::Tab:
                Send({KeyInput(VK_TAB, false), KeyInput(VK_TAB, true)});
                break;
            case Key::ShiftTab:
                Send({KeyInput(VK_SHIFT, false),
                      KeyInput(VK_TAB, false),
                      KeyInput(VK_TAB, true),
                      KeyInput(VK_SHIFT, true)});
                break;
            case Key::Space:
                Send({KeyInput(VK_SPACE, false), KeyInput(VK_SPACE, true)});
                break;
            case Key::Backspace:
                Send({KeyInput(VK_BACK, false), KeyInput(VK_BACK, true)});
                break;
            case Key::Enter:
                Send({KeyInput(VK_RETURN, false), KeyInput(VK_RETURN, true)});
                break;
        }
        Settle();
    }
    void Paste(std::u16string_view text) override {
        if (OpenClipboard(form_.Handle())) {
            EmptyClipboard();
            const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
            const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
            for (std::size_t i = 0; i < text.size(); ++i) copy[i] = static_cast<wchar_t>(text[i]);
            copy[text.size()] = L'\0';
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
            CloseClipboard();
        }
        Send({KeyInput(VK_CONTROL, false),
              KeyInput('V', false),
              KeyInput('V', true),
              KeyInput(VK_CONTROL, true)});
        Settle();
    }
    void Click(ControlRef control) override {
        RECT rect;
        GetWindowRect(form_.Widget(control), &rect);
        const int x = (rect.left + rect.right) / 2;
        const int y = (rect.top + rect.bottom) / 2;
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        INPUT down = move, up = move;
        down.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
        up.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
        Send({move, down, up});
        Settle();
    }
    void FocusOn(ControlRef control) override {
        SetFocus(form_.Widget(control));
        Settle();
    }

    // Wine cannot turn high contrast on: the program is told it is on, and the system's
    // colours change as a high-contrast theme changes them.
    void SetHighContrast(bool on) override {
        static constexpr int kElements[] = {
            COLOR_BTNFACE, COLOR_WINDOW, COLOR_BTNTEXT, COLOR_WINDOWTEXT, COLOR_GRAYTEXT};
        static constexpr COLORREF kContrast[] = {
            RGB(0, 0, 0), RGB(0, 0, 96), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 0)};
        if (on == saved_colours_.has_value()) return;
        if (on) {
            std::vector<COLORREF> saved;
            for (const int element : kElements) saved.push_back(GetSysColor(element));
            saved_colours_ = saved;
            platform::OverrideHighContrast(true);
            SetSysColors(std::size(kElements), kElements, kContrast);
        } else {
            platform::OverrideHighContrast(std::nullopt);
            SetSysColors(std::size(kElements), kElements, saved_colours_->data());
            saved_colours_.reset();
        }
        Settle();
    }
    platform::Rgb System(SystemColour colour) override {
        const COLORREF value =
            GetSysColor(colour == SystemColour::Field ? COLOR_WINDOW : COLOR_BTNFACE);
        return {GetRValue(value), GetGValue(value), GetBValue(value)};
    }

    std::vector<std::string> Announcements() override {
        Settle();
        return Heard();
    }

    platform::Form& Form() override { return form_; }
    platform::Win32Form& Win32() { return form_; }

    // Handles every message the input has caused, as the program's own loop would.
    void Settle() {
        for (int quiet = 0; quiet < 2;) {
            MSG message;
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ++quiet;
                Sleep(0);
                continue;
            }
            quiet = 0;
            if (message.message == WM_QUIT || form_.HandleDialogKey(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

  private:
    LONG Style() { return GetWindowLongW(form_.Handle(), GWL_STYLE); }
    int At96(int pixels) { return MulDiv(pixels, platform::kDefaultDpi, form_.Dpi()); }

    vrenkodal::WindowBinding binding_;
    platform::Win32Form form_;
    HWINEVENTHOOK hook_ = nullptr;
    std::optional<std::vector<COLORREF>> saved_colours_;  // while high contrast is on
};

}  // namespace

std::unique_ptr<WindowDriver> OpenWindow() { return std::make_unique<Win32Driver>(); }

}  // namespace conformance

int main(int argc, char** argv) {
    platform::BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    CoUninitialize();
    return status;
}
