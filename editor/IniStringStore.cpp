#include "editor/IniStringStore.h"

namespace grayden {

IniStringStore::IniStringStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "KOVA", "LCD Ombrel Ver2.0x") {}

bool IniStringStore::ReadStringValue(const std::string& keyPath, const std::string& name, std::string& text) {
    if (keyPath != SettingsKeyPath) return false;
    const QString key = QString::fromStdString(name);
    if (settings_.status() != QSettings::NoError || !settings_.contains(key)) return false;
    const QVariant value = settings_.value(key);
    if (!value.canConvert<QString>()) return false;
    text = value.toString().toStdString();
    return true;
}

bool IniStringStore::WriteStringValue(const std::string& keyPath, const std::string& name, const std::string& text) {
    if (keyPath != SettingsKeyPath) return false;
    settings_.setValue(QString::fromStdString(name), QString::fromStdString(text));
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace grayden
