// SPDX-License-Identifier: MIT
#pragma once

// A stand-in for the desktop's Settings portal on the test's own session bus (the test runs
// under dbus-run-session): what ReadAll answers, and SettingChanged when a value changes. On a
// connection of its own, so that the window's questions and the changes travel through the bus
// as from a real portal.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QVariant>

namespace testing_support {

class SettingsPortal final : public QDBusVirtualObject {
  public:
    static constexpr const char* kPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* kInterface = "org.freedesktop.portal.Settings";
    static constexpr const char* kGnome = "org.gnome.desktop.a11y.interface";

    SettingsPortal()
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "settings-portal")) {
        qDBusRegisterMetaType<QMap<QString, QVariantMap>>();
        if (!bus_.registerService("org.freedesktop.portal.Desktop") ||
            !bus_.registerVirtualObject(kPath, this)) {
            qFatal("no session bus for the stand-in Settings portal: run under dbus-run-session");
        }
    }

    // Takes the value; with announce, tells the bus it changed.
    void Set(const QString& name_space,
             const QString& key,
             const QVariant& value,
             bool announce = true) {
        values_[name_space][key] = value;
        if (!announce) return;
        QDBusMessage changed =
            QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("SettingChanged"));
        changed << name_space << key << QVariant::fromValue(QDBusVariant(value));
        bus_.send(changed);
    }
    void SetHighContrast(bool on) { Set(kGnome, QStringLiteral("high-contrast"), on); }
    void Clear() { values_.clear(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kInterface || message.member() != "ReadAll") return false;
        return connection.send(message.createReply(QVariant::fromValue(values_)));
    }
    QString introspect(const QString&) const override { return {}; }

  private:
    QDBusConnection bus_;
    QMap<QString, QVariantMap> values_;
};

}  // namespace testing_support
