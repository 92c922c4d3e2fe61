// SPDX-License-Identifier: MIT
#include "platform/win32/push_button.h"

#include <string>

#include <commctrl.h>

#include "platform/win32/window_text.h"

namespace platform {

namespace {

LRESULT CALLBACK DoubleClickAsPress(
    HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(button, DoubleClickAsPress, id);
    return DefSubclassProc(button, message, wparam, lparam);
}

}  // namespace

void PressOnEveryClick(HWND button) { SetWindowSubclass(button, DoubleClickAsPress, 1, 0); }

void PaintPushButton(const DRAWITEMSTRUCT& item, COLORREF face) {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    const HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

    const std::wstring caption = WindowText(item.hwndItem);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previous_font = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT text = rect;
    if (pressed) OffsetRect(&text, 1, 1);
    DrawTextW(dc,
              caption.c_str(),
              static_cast<int>(caption.size()),
              &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (previous_font) SelectObject(dc, previous_font);

    // Hidden until the keyboard is used, as Windows does for its own buttons.
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&rect, -2, -2);
        DrawFocusRect(dc, &rect);
    }
}

}  // namespace platform
