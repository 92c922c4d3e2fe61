// SPDX-License-Identifier: MIT
#include "platform/qt/high_contrast_setting.h"

#include <gio/gio.h>

namespace platform {

namespace {

constexpr const char* kSchema = "org.gnome.desktop.a11y.interface";
constexpr const char* kKey = "high-contrast";

}  // namespace

HighContrastSetting::HighContrastSetting(std::function<void(bool on)> changed)
    : changed_(std::move(changed)) {
    // GSettings ends the program on a schema or key it does not know: ask first.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, kSchema, TRUE) : nullptr;
    if (schema == nullptr) return;
    const bool has_key = g_settings_schema_has_key(schema, kKey);
    g_settings_schema_unref(schema);
    if (!has_key) return;
    auto* settings = g_settings_new(kSchema);
    settings_ = settings;
    handler_ = g_signal_connect(
        settings,
        "changed::high-contrast",
        G_CALLBACK(+[](GSettings* from, gchar*, gpointer self) {
            static_cast<HighContrastSetting*>(self)->changed_(g_settings_get_boolean(from, kKey));
        }),
        this);
}

HighContrastSetting::~HighContrastSetting() {
    if (settings_ == nullptr) return;
    g_signal_handler_disconnect(settings_, handler_);
    g_object_unref(settings_);
}

bool HighContrastSetting::On() const {
    return settings_ != nullptr && g_settings_get_boolean(static_cast<GSettings*>(settings_), kKey);
}

}  // namespace platform
