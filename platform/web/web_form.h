// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/form.h"

namespace platform::web {

// The controls' properties on the page's own elements, which the page already holds when the
// program starts (see page.h). It only translates: each call reads or writes one element.
class WebForm final : public Form {
  public:
    explicit WebForm(const Window& window)
        : description_(window), written_(window.controls.size()) {}

    void SetVisible(ControlRef control, bool visible) override;
    void Select(ControlRef option) override;
    std::string Caption(ControlRef control) const override;
    std::string Text(ControlRef text_box) const override;
    void SetText(ControlRef text_box, std::string_view text) override;
    void Announce(ControlRef text_box) override;

  private:
    enum class Wanted { Any, OptionButton, TextBox, Captioned };
    // The described control of the kind wanted; anything else is a fault of the program,
    // which the platform reports before it ends the program.
    const Control& ControlOf(ControlRef control, Wanted wanted) const;
    // Where a control of the description stands in it.
    std::size_t PlaceOf(const Control& control) const;

    const Window& description_;
    // What the program last wrote into each text box, by its place in the description: a text
    // area keeps line ends as LF, and the program must read back the CR LF it wrote.
    std::vector<std::optional<std::string>> written_;
};

}  // namespace platform::web
