// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include <QObject>

class QDBusMessage;
class QDBusPendingCallWatcher;
class QString;
class QVariant;

namespace platform {

// The desktop's high-contrast setting, as its Settings portal (org.freedesktop.portal.Settings
// on the session bus) gives it, followed while the window is open. Two keys say it: the
// cross-desktop org.freedesktop.appearance contrast (newer GNOME, KDE Plasma), and GNOME's own
// org.gnome.desktop.a11y.interface high-contrast (Settings → Accessibility → High Contrast, the
// only one GNOME 43 has). Either one on is on. Off where no portal answers.
//
// Through D-Bus, which Qt has loaded already for its accessibility bridge, and without waiting:
// the question costs the window's first frame nothing.
class HighContrastSetting final : public QObject {
    Q_OBJECT

  public:
    // Asks the portal. Calls changed on the user-interface thread with its answer, and each time
    // the setting changes later; never where no portal answers.
    HighContrastSetting(std::function<void(bool on)> changed, QObject* parent);

  private slots:
    void SettingChanged(const QDBusMessage& message);

  private:
    void Answered(QDBusPendingCallWatcher* call);
    void Take(const QString& name_space, const QString& key, const QVariant& value);
    bool On() const { return appearance_ || gnome_; }

    std::function<void(bool)> changed_;
    bool appearance_ = false;  // org.freedesktop.appearance contrast: 1, higher contrast
    bool gnome_ = false;       // org.gnome.desktop.a11y.interface high-contrast
};

}  // namespace platform
