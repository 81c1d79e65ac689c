#include "editor/app/IniStringStore.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/app/IniText.h"
#include "platform/FileRead.h"
#include "platform/FileSave.h"

namespace grayden {

namespace {

// Far beyond any settings file this program writes; a larger one is not loaded into memory.
constexpr std::uint64_t MaxSettingsBytes = 16 * 1024 * 1024;

std::string localName(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

// The path QSettings(IniFormat, UserScope, "KOVA", "LCD Ombrel Ver2.0x") uses, found without
// building one: its constructor opens the file, which waits forever on a named pipe.
IniStringStore::IniStringStore()
    : fileName_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                "/KOVA/LCD Ombrel Ver2.0x.ini") {}

IniStringStore::FileKind IniStringStore::fileKind() {
    struct stat st {};
    const bool found = ::stat(localName(fileName_).c_str(), &st) == 0;
    if (found && S_ISREG(st.st_mode)) return FileKind::Regular;
    if (!found && errno == ENOENT) return FileKind::Missing;
    if (!warned_) {
        std::fprintf(stderr, "grayden: the settings file %s is %s: the defaults are used and nothing is saved\n",
                     localName(fileName_).c_str(), found ? "not a regular file" : std::strerror(errno));
        warned_ = true;
    }
    return FileKind::Unusable;
}

bool IniStringStore::readStringValue(const std::string& keyPath, const std::string& name, std::string& text) {
    if (keyPath != SettingsKeyPath || fileKind() != FileKind::Regular) return false;
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
    // A '/' would name a group, not a value under the key.
    if (keyPath != SettingsKeyPath || name.find('/') != std::string::npos) return false;
    pending_[QString::fromStdString(name)] = QString::fromStdString(text);
    return true;
}

bool IniStringStore::commit() {
    if (pending_.empty()) return true;
    const std::map<QString, QString> values = std::move(pending_);
    pending_.clear();
    std::string existing;
    switch (fileKind()) {
    case FileKind::Unusable: return false;
    case FileKind::Missing: break;
    case FileKind::Regular:
        // A file that cannot be read is not overwritten: what it holds would be lost.
        switch (readRegularFile(localName(fileName_), MaxSettingsBytes, existing)) {
        case FileReadError::None:
        case FileReadError::Missing: break;
        default: return false;
        }
        break;
    }
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    const QByteArray text = updateIniText(QByteArray::fromStdString(existing), values);
    return saveFile(localName(fileName_), std::string_view(text.constData(), text.size()));
}

}  // namespace grayden
