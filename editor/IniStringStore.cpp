#include "editor/IniStringStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "editor/IniText.h"
#include "engine/FileSave.h"

namespace grayden {

IniStringStore::IniStringStore()
    : fileName_(QSettings(QSettings::IniFormat, QSettings::UserScope, "KOVA", "LCD Ombrel Ver2.0x").fileName()) {}

bool IniStringStore::readStringValue(const std::string& keyPath, const std::string& name, std::string& text) {
    if (keyPath != SettingsKeyPath) return false;
    // A fresh reader each time: the file may have been rewritten since the last read.
    const QSettings settings(fileName_, QSettings::IniFormat);
    const QString key = QString::fromStdString(name);
    if (settings.status() != QSettings::NoError || !settings.contains(key)) return false;
    const QVariant value = settings.value(key);
    if (!value.canConvert<QString>()) return false;
    text = value.toString().toStdString();
    return true;
}

bool IniStringStore::writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) {
    if (keyPath != SettingsKeyPath) return false;
    pending_[QString::fromStdString(name)] = QString::fromStdString(text);
    return true;
}

bool IniStringStore::commit() {
    if (pending_.empty()) return true;
    std::map<QString, QString> values;
    {
        const QSettings current(fileName_, QSettings::IniFormat);
        for (const QString& key : current.allKeys()) {
            const QVariant value = current.value(key);
            if (value.typeId() == QMetaType::QString) values[key] = value.toString();
        }
    }
    for (auto& [key, text] : pending_) values[key] = std::move(text);
    pending_.clear();
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    const QByteArray text = formatIniText(values);
    return saveFile(QFile::encodeName(fileName_).toStdString(), std::string_view(text.constData(), text.size()));
}

}  // namespace grayden
