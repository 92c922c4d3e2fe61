// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>
#include <utility>

#include <QWidget>

#include "platform/form.h"

namespace platform {

// The window built with Qt Widgets from its description, which must outlive it. Twips become
// device-independent pixels, so a high-DPI screen scales the whole window.
class QtForm final : public QWidget, public Form {
  public:
    QtForm(const Window& window, PressHandler on_press);

    void SetVisible(ControlRef control, bool visible) override;
    void Select(ControlRef option) override;
    std::string Caption(ControlRef control) const override;
    std::string Text(ControlRef text_box) const override;
    void SetText(ControlRef text_box, std::string_view text) override;
    void Announce(ControlRef text_box) override;

    // The widget that shows a control; ends the program if the window has none.
    QWidget* Widget(ControlRef control) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* Create(const Control& control, QWidget* parent);
    // The description's colours, or in high contrast the system's for everything.
    void Colour(bool high_contrast);
    void SetUpFocusOrder(const Window& window);

    std::map<std::pair<std::string, int>, QWidget*> widgets_;
    PressHandler on_press_;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QWidget* notice_ = nullptr;  // what screen readers are told, unseen; made when first needed
#endif
    const Window& description_;
    bool first_frame_drawn_ = false;  // the high-contrast setting is asked after it
    bool high_contrast_ = false;
};

}  // namespace platform
