// SPDX-License-Identifier: MIT
#include "window/window_model.h"

#include "window/task_statement.h"

namespace vrenkodal {

WindowModel InitialWindowModel() {
    WindowModel model;
    model.report_text = kTaskStatement;
    for (const KindOfYears kind : kAllKinds) {
        model.option_captions.at(static_cast<std::size_t>(IndexOf(kind))) = Caption(kind);
    }
    return model;
}

}  // namespace vrenkodal
