// SPDX-License-Identifier: MIT
#include "platform/win32/frame.h"

#include <string>

#include "platform/win32/failure.h"
#include "platform/win32/window_text.h"

namespace platform {

namespace {

constexpr wchar_t kClassName[] = L"VrenkodalFrame";
// Where the caption starts on the border line, in average character widths.
constexpr int kCaptionIndent = 1;

HFONT FontOf(HWND frame) { return reinterpret_cast<HFONT>(GetWindowLongPtrW(frame, 0)); }

void Paint(HWND frame) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(frame, &paint);
    RECT client;
    GetClientRect(frame, &client);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(frame),
                                                             WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(frame)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    const HGDIOBJ previous_font = FontOf(frame) ? SelectObject(dc, FontOf(frame)) : nullptr;
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = WindowText(frame);

    RECT border = client;
    border.top = metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        // The caption's own background interrupts the border line, blanks included.
        RECT text{kCaptionIndent * metrics.tmAveCharWidth, 0, client.right, metrics.tmHeight};
        DrawTextW(dc,
                  caption.c_str(),
                  static_cast<int>(caption.size()),
                  &text,
                  DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        FillRect(dc, &text, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc,
                  caption.c_str(),
                  static_cast<int>(caption.size()),
                  &text,
                  DT_SINGLELINE | DT_NOPREFIX);
    }
    if (previous_font) SelectObject(dc, previous_font);
    EndPaint(frame, &paint);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            // Reading the caption allocates.
            NoThrow([&] { Paint(frame); });
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills everything
        case WM_SETFONT:
            SetWindowLongPtrW(frame, 0, static_cast<LONG_PTR>(wparam));
            if (LOWORD(lparam)) InvalidateRect(frame, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(frame, 0);
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(frame, message, wparam, lparam);
            InvalidateRect(frame, nullptr, TRUE);
            return result;
        }
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetParent(frame), message, wparam, lparam);
        default:
            return DefWindowProcW(frame, message, wparam, lparam);
    }
}

}  // namespace

const wchar_t* FrameClass(HINSTANCE instance) {
    WNDCLASSEXW frame_class{};
    if (!GetClassInfoExW(instance, kClassName, &frame_class)) {
        frame_class.cbSize = sizeof frame_class;
        frame_class.style = CS_HREDRAW | CS_VREDRAW;
        frame_class.lpfnWndProc = FrameProc;
        frame_class.cbWndExtra = sizeof(HFONT);
        frame_class.hInstance = instance;
        frame_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        frame_class.lpszClassName = kClassName;
        RegisterClassExW(&frame_class);
    }
    return kClassName;
}

}  // namespace platform
