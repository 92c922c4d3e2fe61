// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollBar>

namespace platform {

// A scroll bar that does not repaint for a new page size while there is nothing to scroll:
// its handle then fills the groove whatever the page. A text box sets the page to the lines it
// shows, so without this every new report of a different length repainted the bar, and the
// window beneath it, for nothing.
class SteadyScrollBar final : public QScrollBar {
  public:
    using QScrollBar::QScrollBar;

  protected:
    void sliderChange(SliderChange change) override {
        if (change == SliderStepsChange && minimum() == maximum()) return;
        QScrollBar::sliderChange(change);
    }
};

}  // namespace platform
