#pragma once

#include <QString>

#include <map>

#include "engine/SettingsStore.h"

namespace grayden {

// The editor's per-user settings as text values in an INI file:
// $XDG_CONFIG_HOME/KOVA/LCD Ombrel Ver2.0x.ini, which stands for the settings key. Reads go
// through QSettings, so any file it wrote is understood; writes are held until commit(), which
// writes the whole file once through the project's save rule (atomic where that keeps the
// file's identity) in a form QSettings reads back. Everything in the file besides the values
// written stays as it was. A path that is not a regular file once symbolic links are followed
// (a named pipe, a folder, a device) is never opened: it reads as absent and is not written,
// and standard error says so once.
class IniStringStore : public StringStore {
public:
    IniStringStore();

    bool readStringValue(const std::string& keyPath, const std::string& name, std::string& text) override;
    bool writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) override;
    bool commit() override;

    QString fileName() const { return fileName_; }

private:
    enum class FileKind { Missing, Regular, Unusable };
    FileKind fileKind();

    QString fileName_;
    std::map<QString, QString> pending_;
    bool warned_ = false;
};

}  // namespace grayden
