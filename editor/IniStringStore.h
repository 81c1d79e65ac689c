#pragma once

#include <QSettings>

#include "engine/SettingsStore.h"

namespace grayden {

// The editor's per-user settings as text values in an INI file:
// $XDG_CONFIG_HOME/KOVA/LCD Ombrel Ver2.0x.ini, which stands for the settings key.
class IniStringStore : public StringStore {
public:
    IniStringStore();

    bool ReadStringValue(const std::string& keyPath, const std::string& name, std::string& text) override;
    bool WriteStringValue(const std::string& keyPath, const std::string& name, const std::string& text) override;

    QString fileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};

}  // namespace grayden
