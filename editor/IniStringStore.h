#pragma once

#include <QString>

#include <map>

#include "engine/SettingsStore.h"

namespace grayden {

// The editor's per-user settings as text values in an INI file:
// $XDG_CONFIG_HOME/KOVA/LCD Ombrel Ver2.0x.ini, which stands for the settings key. Reads go
// through QSettings, so any file it wrote is understood; writes are held until commit(), which
// writes the whole file once through the project's save rule (atomic where that keeps the
// file's identity) in a form QSettings reads back. Other string values already in the file are
// kept; values of other types are not.
class IniStringStore : public StringStore {
public:
    IniStringStore();

    bool readStringValue(const std::string& keyPath, const std::string& name, std::string& text) override;
    bool writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) override;
    bool commit() override;

    QString fileName() const { return fileName_; }

private:
    QString fileName_;
    std::map<QString, QString> pending_;
};

}  // namespace grayden
