// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace platform {

// The desktop's high-contrast setting, as GNOME keeps it (org.gnome.desktop.a11y.interface
// high-contrast, which Settings → Accessibility → High Contrast turns on), followed while the
// window is open. Off where the desktop keeps no such setting. No Qt here: GLib's headers and
// Qt's keywords do not mix.
class HighContrastSetting {
  public:
    // Calls changed, on the user-interface thread, whenever the setting changes.
    explicit HighContrastSetting(std::function<void(bool on)> changed);
    ~HighContrastSetting();
    HighContrastSetting(const HighContrastSetting&) = delete;
    HighContrastSetting& operator=(const HighContrastSetting&) = delete;

    bool On() const;

  private:
    std::function<void(bool)> changed_;
    void* settings_ = nullptr;  // GSettings, where the desktop has the schema
    unsigned long handler_ = 0;
};

}  // namespace platform
