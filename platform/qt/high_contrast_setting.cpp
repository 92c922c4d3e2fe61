// SPDX-License-Identifier: MIT
#include "platform/qt/high_contrast_setting.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QMap>
#include <QStringList>
#include <QVariant>

namespace platform {

namespace {

constexpr QLatin1StringView kService("org.freedesktop.portal.Desktop");
constexpr QLatin1StringView kPath("/org/freedesktop/portal/desktop");
constexpr QLatin1StringView kInterface("org.freedesktop.portal.Settings");
constexpr QLatin1StringView kAppearance("org.freedesktop.appearance");
constexpr QLatin1StringView kContrast("contrast");
constexpr QLatin1StringView kGnome("org.gnome.desktop.a11y.interface");
constexpr QLatin1StringView kHighContrast("high-contrast");
constexpr unsigned kHigherContrast = 1;

// Some portals wrap a value in a variant once more than the interface says.
QVariant Unwrapped(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

}  // namespace

HighContrastSetting::HighContrastSetting(std::function<void(bool on)> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    bus.connect(kService,
                kPath,
                kInterface,
                QStringLiteral("SettingChanged"),
                this,
                SLOT(SettingChanged(QDBusMessage)));
    QDBusMessage read =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("ReadAll"));
    read << QStringList{kAppearance, kGnome};
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, &HighContrastSetting::Answered);
}

void HighContrastSetting::Answered(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    // No portal, or one that answers in another shape: the setting stays off.
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != "a{sa{sv}}") return;
    QMap<QString, QVariantMap> spaces;
    reply.arguments().constFirst().value<QDBusArgument>() >> spaces;
    for (auto space = spaces.cbegin(); space != spaces.cend(); ++space) {
        for (auto key = space->cbegin(); key != space->cend(); ++key) {
            Take(space.key(), key.key(), key.value());
        }
    }
    changed_(On());
}

void HighContrastSetting::SettingChanged(const QDBusMessage& message) {
    if (message.signature() != "ssv") return;
    const bool was = On();
    const QList<QVariant> arguments = message.arguments();
    Take(arguments[0].toString(), arguments[1].toString(), arguments[2]);
    if (On() != was) changed_(On());
}

void HighContrastSetting::Take(const QString& name_space,
                               const QString& key,
                               const QVariant& value) {
    const QVariant plain = Unwrapped(value);
    if (name_space == kAppearance && key == kContrast) {
        appearance_ =
            plain.metaType() == QMetaType::fromType<uint>() && plain.toUInt() == kHigherContrast;
    } else if (name_space == kGnome && key == kHighContrast) {
        gnome_ = plain.metaType() == QMetaType::fromType<bool>() && plain.toBool();
    }
}

}  // namespace platform

// moc's code for the class, compiled here rather than in a file of its own that would read
// Qt's headers again.
#include "moc_high_contrast_setting.cpp"
