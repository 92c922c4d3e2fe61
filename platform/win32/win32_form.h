// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "platform/form.h"

namespace platform {

// The window built with plain Win32 controls from its description, which must outlive it.
// Twips become pixels at the DPI of the monitor the window is on times the user's text size,
// and again whenever it moves to a monitor of another DPI or the text size changes; never so
// large that the window would not fit the monitor's work area.
class Win32Form final : public Form {
  public:
    Win32Form(const Window& window, PressHandler on_press);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    void SetVisible(ControlRef control, bool visible) override;
    void Select(ControlRef option) override;
    std::string Caption(ControlRef control) const override;
    std::string Text(ControlRef text_box) const override;
    void SetText(ControlRef text_box, std::string_view text) override;
    void Announce(ControlRef text_box) override;

    HWND Handle() const { return window_; }
    // The window that shows a control; ends the program if the window has none.
    HWND Widget(ControlRef control) const;
    // The same for a text box; ends the program if the control is none.
    HWND TextBox(ControlRef text_box) const;
    // The pixels an inch of the window takes: the monitor's DPI times the text size in force.
    int Dpi() const { return MulDiv(dpi_, text_scale_, 100); }

    // Tab, Shift+Tab and Space for the window's controls, as in a dialog box. True when the
    // message was such a key and has been handled.
    bool HandleDialogKey(MSG& message);

  private:
    struct Shown {
        const Control* control;
        HWND handle;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    HWND Create(const Control& control, int id);
    void SetUpFocusOrder();
    void MakeFonts();         // the fonts the controls use, at the window's DPI
    void MoveToDpi(int dpi);  // lays the window out again if the DPI or the text size changed
    int FittingTextScale() const;
    void SizeWindow();
    HFONT FontFor(const Control& control) const;
    HBRUSH BrushFor(HWND control, HDC dc);
    const Shown* Find(HWND handle) const;

    const Window& description_;
    PressHandler on_press_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    int dpi_ = 0;                  // the monitor's
    int text_scale_ = 0;           // percent, as set by the user or as much of it as fits
    std::vector<Shown> controls_;  // in the order the window creates them
    HWND last_focus_ = nullptr;    // given back when the window is activated again
    std::vector<std::pair<Font, HFONT>> fonts_;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
    std::vector<HWND> live_regions_;  // marked polite for screen readers
    bool high_contrast_ = false;      // the system's colours for everything
};

}  // namespace platform
