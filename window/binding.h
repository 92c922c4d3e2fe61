// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"
#include "window/window_model.h"

namespace vrenkodal {

// Joins the commands to the real window: a press of a Command1 button reads what the user
// typed, runs Command1_Click on the model, and shows on the controls what the command changed.
// The model is the window's state; the controls only show it.
class WindowBinding {
  public:
    WindowBinding();

    void Pressed(platform::Form& form, platform::ControlRef button);

    // What the platform calls on every press; the binding must outlive the window.
    platform::PressHandler OnPress() {
        return [this](platform::Form& form, platform::ControlRef button) { Pressed(form, button); };
    }

    const WindowModel& model() const { return model_; }

  private:
    WindowModel model_;
};

}  // namespace vrenkodal
