// SPDX-License-Identifier: MIT
// Writes a picture of the real Windows window, title bar included, after "Изведи" with 45,
// as a 24-bit BMP. Usage: win32_screenshot OUTPUT.bmp (under Wine with a display).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/win32_form.h"
#include "window/binding.h"
#include "window/commands.h"
#include "window/description.h"

namespace {

void Settle() {
    MSG message;
    for (int round = 0; round < 20; ++round, Sleep(10)) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool WriteBmp(const char* path, HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) & ~3;
    header.biSizeImage = static_cast<DWORD>(stride * height);
    std::vector<char> pixels(header.biSizeImage);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory,
              bitmap,
              0,
              height,
              pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: win32_screenshot OUTPUT.bmp\n", stderr);
        return 2;
    }
    platform::BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    vrenkodal::WindowBinding binding;
    platform::Win32Form form(vrenkodal::MainWindow(), binding.OnPress());
    SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    form.SetText(vrenkodal::kAgeBox, "45");
    SendMessageW(form.Widget(vrenkodal::CommandButton(vrenkodal::kShowButton)), BM_CLICK, 0, 0);
    Settle();
    return WriteBmp(argv[1], form.Handle()) ? 0 : 1;
}
