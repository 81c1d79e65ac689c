#pragma once

#include <map>
#include <string>

namespace grayden {

class CurveModel;

// Where the editor's seven values live, per user.
constexpr const char* SettingsKeyPath = "Software\\KOVA\\LCD Ombrel Ver2.0x";

// A per-user store of text values under a key path.
class StringStore {
public:
    virtual ~StringStore() = default;
    virtual bool ReadStringValue(const std::string& keyPath, const std::string& name, std::string& text) = 0;
    virtual bool WriteStringValue(const std::string& keyPath, const std::string& name, const std::string& text) = 0;
};

// A store that lives in memory, for tools and tests.
class MemoryStringStore : public StringStore {
public:
    bool ReadStringValue(const std::string& keyPath, const std::string& name, std::string& text) override;
    bool WriteStringValue(const std::string& keyPath, const std::string& name, const std::string& text) override;
    std::map<std::string, std::string> values;  // "keyPath\\name" -> text
    bool failWrites = false;
};

// Loads and saves the model's persisted parameters; odd stored values fall back to defaults.
class SettingsStore {
public:
    explicit SettingsStore(StringStore& store) : store_(store) {}
    void LoadSettings(CurveModel& model);
    void SaveSettings(const CurveModel& model);

private:
    StringStore& store_;
};

// The window never gets smaller than this.
constexpr int MinWindowWidth = 640;
constexpr int MinWindowHeight = 480;

}  // namespace grayden
