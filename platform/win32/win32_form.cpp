// SPDX-License-Identifier: MIT
#include "platform/win32/win32_form.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/win32/accessible_name.h"
#include "platform/win32/dpi.h"
#include "platform/win32/failure.h"
#include "platform/win32/frame.h"
#include "platform/win32/high_contrast.h"
#include "platform/win32/icon.h"
#include "platform/win32/live_region.h"
#include "platform/win32/push_button.h"
#include "platform/win32/text_scale.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_text.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"VrenkodalWindow";
// Fixed size: no sizing border and no maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Tab and Shift+Tab look inside the frame, as they would in a dialog box.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
// Clear of IDOK and IDCANCEL, which Enter and Esc send through the dialog keys.
constexpr int kFirstControlId = 100;
constexpr int kPointsPerInch = 72;

COLORREF ToColorRef(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

std::string NameOf(ControlRef ref) {
    std::string name(ref.name);
    if (ref.index != kNoIndex) name += "(" + std::to_string(ref.index) + ")";
    return name;
}

[[noreturn]] void NoSuchControl(ControlRef ref, const char* kind) {
    FailAndEnd(std::string("the window has no ") + kind + " " + NameOf(ref));
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    if (GetClassInfoExW(instance, kWindowClass, &window_class)) return;
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);
}

HFONT CreateFontAt(const Font& font, int dpi) {
    LOGFONTW logical{};
    logical.lfHeight = -MulDiv(font.point_size, dpi, kPointsPerInch);
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    // The texts are Cyrillic: ask for the font's Cyrillic glyphs.
    logical.lfCharSet = RUSSIAN_CHARSET;
    logical.lfOutPrecision = OUT_TT_PRECIS;
    logical.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    const std::wstring family = ToUtf16(font.family);
    family.copy(logical.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&logical);
}

// The part of the window's monitor that windows may cover: all but the taskbar.
std::optional<RECT> WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return std::nullopt;
    }
    return monitor.rcWork;
}

}  // namespace

Win32Form::Win32Form(const Window& window, PressHandler on_press)
    : description_(window), on_press_(std::move(on_press)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(instance, WindowProc);
    // Sized once its DPI is known, below.
    CreateWindowExW(kWindowExStyle,
                    kWindowClass,
                    ToUtf16(window.caption).c_str(),
                    kWindowStyle,
                    CW_USEDEFAULT,
                    CW_USEDEFAULT,
                    CW_USEDEFAULT,
                    CW_USEDEFAULT,
                    nullptr,
                    nullptr,
                    instance,
                    this);
    if (window_ == nullptr) FailAndEnd("cannot create the window");
    high_contrast_ = HighContrastOn();
    // Each control is made at its place and with its font at once: moving or restyling it
    // afterwards would lay it out twice.
    dpi_ = DpiOf(window_);
    text_scale_ = FittingTextScale();
    MakeFonts();
    icon_ = IconFromXpm(window.icon);
    if (icon_ != nullptr) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    int id = kFirstControlId;
    for (const Control& control : window.controls) {
        controls_.push_back({&control, Create(control, id++)});
    }
    // What a screen reader calls the text boxes: the age box by its label, the report box by
    // the name the description gives it.
    for (const Shown& shown : controls_) {
        const Control& control = *shown.control;
        if (!control.accessible_name.empty()) {
            SetAccessibleName(shown.handle, ToUtf16(control.accessible_name));
        }
        if (control.label_for) SetAccessibleName(Widget(*control.label_for), ToUtf16(control.text));
    }
    SizeWindow();
    SetUpFocusOrder();
}

Win32Form::~Win32Form() {
    if (window_ != nullptr) DestroyWindow(window_);
    for (const auto& [font, handle] : fonts_) DeleteObject(handle);
    for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
    if (icon_ != nullptr) DestroyIcon(icon_);
}

HWND Win32Form::Create(const Control& control, int id) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HWND parent = control.container.empty() ? window_ : Widget({control.container});
    DWORD style =
        WS_CHILD | (control.visible ? WS_VISIBLE : 0) | (control.enabled ? 0 : WS_DISABLED);
    DWORD ex_style = 0;
    const wchar_t* window_class = L"STATIC";
    switch (control.kind) {
        case ControlKind::Frame:
            window_class = FrameClass(instance);
            ex_style = WS_EX_CONTROLPARENT;
            break;
        case ControlKind::OptionButton:
            // Not automatic: only the program selects an option.
            window_class = L"BUTTON";
            style |= BS_RADIOBUTTON;
            break;
        case ControlKind::PushButton:
            window_class = L"BUTTON";
            style |= BS_OWNERDRAW | WS_TABSTOP;
            break;
        case ControlKind::TextBox:
            window_class = L"EDIT";
            ex_style = WS_EX_CLIENTEDGE;
            style |= WS_TABSTOP | (control.alignment == Alignment::Center ? ES_CENTER : ES_LEFT);
            if (control.multi_line) {
                style |=
                    ES_MULTILINE | ES_AUTOVSCROLL | (control.vertical_scroll_bar ? WS_VSCROLL : 0);
            } else {
                style |= ES_AUTOHSCROLL;
            }
            if (control.read_only) style |= ES_READONLY;
            break;
        case ControlKind::Label:
            style |= SS_NOPREFIX | (control.alignment == Alignment::Center ? SS_CENTER : SS_LEFT);
            break;
    }
    const HWND handle = CreateWindowExW(ex_style,
                                        window_class,
                                        ToUtf16(control.text).c_str(),
                                        style,
                                        ToPixels(control.left, Dpi()),
                                        ToPixels(control.top, Dpi()),
                                        ToPixels(control.width, Dpi()),
                                        ToPixels(control.height, Dpi()),
                                        parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        instance,
                                        nullptr);
    if (handle == nullptr) FailAndEnd("cannot create " + NameOf(control.ref));
    if (control.kind == ControlKind::PushButton) PressOnEveryClick(handle);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control)), FALSE);
    // The limit counts UTF-16 units, as the user's characters arrive.
    if (control.kind == ControlKind::TextBox && control.max_length > 0) {
        SendMessageW(handle, EM_SETLIMITTEXT, static_cast<WPARAM>(control.max_length), 0);
    }
    return handle;
}

// Windows moves the focus in the order the controls lie one above another, so they are laid
// in the order the description gives; a label just above a text box also names it for a
// screen reader.
void Win32Form::SetUpFocusOrder() {
    std::vector<Shown> order = controls_;
    std::stable_sort(order.begin(), order.end(), [](const Shown& a, const Shown& b) {
        return a.control->tab_index < b.control->tab_index;
    });
    for (std::size_t i = 0; i < order.size(); ++i) {
        HWND above = HWND_TOP;
        for (std::size_t j = i; j-- > 0;) {
            if (order[j].control->container == order[i].control->container) {
                above = order[j].handle;
                break;
            }
        }
        SetWindowPos(order[i].handle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (const Shown& shown : order) {
        const LONG style = GetWindowLongW(shown.handle, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            last_focus_ = shown.handle;
            break;
        }
    }
}

void Win32Form::MakeFonts() {
    for (const Control& control : description_.controls) {
        const Font font = control.font.value_or(description_.font);
        if (FontFor(control) == nullptr) fonts_.emplace_back(font, CreateFontAt(font, Dpi()));
    }
}

void Win32Form::MoveToDpi(int dpi) {
    const int monitor_dpi = std::exchange(dpi_, dpi);
    const int text_scale = std::exchange(text_scale_, FittingTextScale());
    if (dpi_ == monitor_dpi && text_scale_ == text_scale) return;
    const std::vector<std::pair<Font, HFONT>> previous = std::exchange(fonts_, {});
    MakeFonts();
    for (const Shown& shown : controls_) {
        const Control& c = *shown.control;
        MoveWindow(shown.handle,
                   ToPixels(c.left, Dpi()),
                   ToPixels(c.top, Dpi()),
                   ToPixels(c.width, Dpi()),
                   ToPixels(c.height, Dpi()),
                   FALSE);
        SendMessageW(shown.handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c)), FALSE);
    }
    for (const auto& [font, handle] : previous) DeleteObject(handle);
    SizeWindow();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The user's text size, or the largest part of it with which the whole window still fits the
// work area of its monitor: a window larger than the screen would hide its buttons.
int Win32Form::FittingTextScale() const {
    const std::optional<RECT> work = WorkAreaOf(window_);
    if (!work) return kNormalTextScale;
    int scale = TextScalePercent();
    for (; scale > kNormalTextScale; --scale) {
        const int dpi = MulDiv(dpi_, scale, 100);
        const SIZE client{ToPixels(description_.client_width, dpi),
                          ToPixels(description_.client_height, dpi)};
        const SIZE outer = WindowSizeFor(client, kWindowStyle, kWindowExStyle, dpi_);
        if (outer.cx <= work->right - work->left && outer.cy <= work->bottom - work->top) break;
    }
    return scale;
}

void Win32Form::SizeWindow() {
    const SIZE client{ToPixels(description_.client_width, Dpi()),
                      ToPixels(description_.client_height, Dpi())};
    // The frame and the caption bar are the system's, at the monitor's DPI alone.
    SIZE outer = WindowSizeFor(client, kWindowStyle, kWindowExStyle, dpi_);
    SetWindowPos(
        window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really draws may differ from the computed one (a theme, a monitor
    // whose DPI the frame has not followed yet); the client area is what must be exact.
    RECT inside;
    GetClientRect(window_, &inside);
    if (inside.right != client.cx || inside.bottom != client.cy) {
        outer.cx += client.cx - inside.right;
        outer.cy += client.cy - inside.bottom;
        SetWindowPos(
            window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Grown where it stood, it may reach past the work area's edge: moved back within it.
    const std::optional<RECT> work = WorkAreaOf(window_);
    RECT now;
    if (work && GetWindowRect(window_, &now)) {
        const LONG left =
            std::max(work->left, std::min(now.left, work->right - (now.right - now.left)));
        const LONG top =
            std::max(work->top, std::min(now.top, work->bottom - (now.bottom - now.top)));
        if (left != now.left || top != now.top) {
            SetWindowPos(
                window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

HFONT Win32Form::FontFor(const Control& control) const {
    const Font font = control.font.value_or(description_.font);
    for (const auto& [known, handle] : fonts_) {
        if (known == font) return handle;
    }
    return nullptr;
}

// The colours of every control, decided here: its own background where the description gives
// one, white for text boxes, the window's colour for the rest. In high contrast, the system's
// colours for all: text boxes as fields, the rest as a dialog box's face.
HBRUSH Win32Form::BrushFor(HWND control, HDC dc) {
    const Shown* shown = Find(control);
    const bool field = shown != nullptr && shown->control->kind == ControlKind::TextBox;
    COLORREF colour = ToColorRef(description_.background);
    if (high_contrast_) {
        colour = GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE);
    } else if (shown != nullptr && shown->control->background) {
        colour = ToColorRef(*shown->control->background);
    } else if (field) {
        colour = GetSysColor(COLOR_WINDOW);
    }
    SetBkColor(dc, colour);
    SetTextColor(dc, GetSysColor(high_contrast_ && !field ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
    for (const auto& [known, brush] : brushes_) {
        if (known == colour) return brush;
    }
    brushes_.emplace_back(colour, CreateSolidBrush(colour));
    return brushes_.back().second;
}

const Win32Form::Shown* Win32Form::Find(HWND handle) const {
    for (const Shown& shown : controls_) {
        if (shown.handle == handle) return &shown;
    }
    return nullptr;
}

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    // The press handler is the program's own code, and it allocates.
    return NoThrow([&] { return form->Handle(message, wparam, lparam); });
}

LRESULT Win32Form::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) {
                const Shown* shown = Find(reinterpret_cast<HWND>(lparam));
                if (shown != nullptr && shown->control->kind == ControlKind::PushButton) {
                    on_press_(*this, shown->control->ref);
                }
            }
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            const Shown* shown = Find(item.hwndItem);
            if (shown == nullptr) break;
            PaintPushButton(item,
                            shown->control->background && !high_contrast_
                                ? ToColorRef(*shown->control->background)
                                : GetSysColor(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(
                BrushFor(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam)));
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wparam),
                     &client,
                     BrushFor(window_, reinterpret_cast<HDC>(wparam)));
            return 1;
        }
        // A multi-line text box hands Tab to its parent this way; a dialog box would move the
        // focus, and so must this window, or the focus would stay in the report box.
        case WM_NEXTDLGCTL: {
            const HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                             : GetNextDlgTabItem(window_, GetFocus(), wparam != 0);
            if (next != nullptr) {
                SetFocus(next);
                if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
                    SendMessageW(next, EM_SETSEL, 0, -1);
                }
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) last_focus_ = focus;
            } else if (last_focus_ != nullptr) {
                SetFocus(last_focus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window_,
                         nullptr,
                         suggested.left,
                         suggested.top,
                         0,
                         0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            MoveToDpi(HIWORD(wparam));
            return 0;
        }
        // The user changed the system's colours or turned high contrast on or off: the
        // controls learn of it from the window, and all is drawn again.
        // Settings says so when the text size changes, without naming the setting.
        case WM_SETTINGCHANGE:
            MoveToDpi(dpi_);
            if (wparam != SPI_SETHIGHCONTRAST) break;
            [[fallthrough]];
        case WM_SYSCOLORCHANGE:
            high_contrast_ = HighContrastOn();
            for (const Shown& shown : controls_)
                SendMessageW(shown.handle, message, wparam, lparam);
            RedrawWindow(window_,
                         nullptr,
                         nullptr,
                         RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

bool Win32Form::HandleDialogKey(MSG& message) {
    return window_ != nullptr && IsDialogMessageW(window_, &message) != 0;
}

HWND Win32Form::Widget(ControlRef control) const {
    for (const Shown& shown : controls_) {
        if (shown.control->ref == control) return shown.handle;
    }
    NoSuchControl(control, "control");
}

void Win32Form::SetVisible(ControlRef control, bool visible) {
    ShowWindow(Widget(control), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Form::Select(ControlRef option) {
    const HWND chosen = Widget(option);
    const Shown* shown = Find(chosen);
    if (shown->control->kind != ControlKind::OptionButton) NoSuchControl(option, "option button");
    for (const Shown& other : controls_) {
        if (other.control->kind == ControlKind::OptionButton &&
            other.control->container == shown->control->container) {
            SendMessageW(
                other.handle, BM_SETCHECK, other.handle == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

std::string Win32Form::Caption(ControlRef control) const {
    const HWND handle = Widget(control);
    if (Find(handle)->control->kind == ControlKind::TextBox)
        NoSuchControl(control, "captioned control");
    return ToUtf8(WindowText(handle));
}

HWND Win32Form::TextBox(ControlRef text_box) const {
    const HWND handle = Widget(text_box);
    if (Find(handle)->control->kind != ControlKind::TextBox) NoSuchControl(text_box, "text box");
    return handle;
}

std::string Win32Form::Text(ControlRef text_box) const {
    return ToUtf8(WindowText(TextBox(text_box)));
}

void Win32Form::SetText(ControlRef text_box, std::string_view text) {
    SetWindowTextW(TextBox(text_box), ToUtf16(text).c_str());
}

void Win32Form::Announce(ControlRef text_box) {
    const HWND handle = TextBox(text_box);
    if (std::find(live_regions_.begin(), live_regions_.end(), handle) == live_regions_.end() &&
        MarkLiveRegion(handle)) {
        live_regions_.push_back(handle);
    }
    RaiseLiveRegionChanged(handle);
}

}  // namespace platform
