// SPDX-License-Identifier: MIT
// The floor for a Win32 program: one empty window of the program's client size. With the
// argument "controls", the same window with twelve plain system controls of the program's
// kinds and sizes, and the report box's length of text: the floor for a window like ours.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = L"BareWindow";
    RegisterClassExW(&window_class);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect{0, 0, 461, 345};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    const HWND window = CreateWindowExW(0,
                                        L"BareWindow",
                                        L"Bare",
                                        style,
                                        CW_USEDEFAULT,
                                        CW_USEDEFAULT,
                                        rect.right - rect.left,
                                        rect.bottom - rect.top,
                                        nullptr,
                                        nullptr,
                                        instance,
                                        nullptr);
    if (argc > 1 && std::string(argv[1]) == "controls") {
        const std::wstring text(632, L'ж');
        struct Child {
            const wchar_t* kind;
            DWORD style;
            int x, y, width, height;
        };
        const Child children[] = {
            {L"BUTTON", BS_GROUPBOX, 232, 32, 153, 145},
            {L"BUTTON", BS_RADIOBUTTON, 248, 152, 113, 19},
            {L"BUTTON", BS_RADIOBUTTON, 248, 128, 113, 19},
            {L"BUTTON", BS_RADIOBUTTON, 248, 104, 113, 19},
            {L"BUTTON", BS_RADIOBUTTON, 248, 80, 113, 19},
            {L"BUTTON", BS_RADIOBUTTON, 248, 56, 113, 19},
            {L"BUTTON", BS_PUSHBUTTON, 56, 152, 89, 25},
            {L"BUTTON", BS_PUSHBUTTON, 56, 80, 89, 25},
            {L"EDIT", WS_BORDER, 128, 32, 49, 27},
            {L"EDIT", WS_BORDER | ES_MULTILINE | WS_VSCROLL, 8, 192, 449, 121},
            {L"STATIC", 0, 8, 32, 121, 25},
            {L"STATIC", 0, 64, 0, 305, 25},
        };
        for (const Child& child : children) {
            CreateWindowExW(0,
                            child.kind,
                            text.c_str(),
                            WS_CHILD | WS_VISIBLE | child.style,
                            child.x,
                            child.y,
                            child.width,
                            child.height,
                            window,
                            nullptr,
                            instance,
                            nullptr);
        }
    }
    ShowWindow(window, SW_SHOWDEFAULT);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
