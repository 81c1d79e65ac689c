#pragma once

#include <string>

namespace grayden {

class CurveModel;
struct ModelSettings;

// Where the editor's seven values live, per user.
constexpr const char* SettingsKeyPath = "Software\\KOVA\\LCD Ombrel Ver2.0x";

// A per-user store of text values under a key path. Writes may be held back until commit(),
// which stores every value written since the last commit as one change: afterwards the store
// holds either all of them or, on failure, none.
class StringStore {
public:
    virtual ~StringStore() = default;
    virtual bool readStringValue(const std::string& keyPath, const std::string& name, std::string& text) = 0;
    virtual bool writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) = 0;
    // A store that writes each value through at once has nothing left to do.
    virtual bool commit() { return true; }
};

// Loads and saves the model's persisted parameters; odd stored values fall back to defaults.
class SettingsStore {
public:
    explicit SettingsStore(StringStore& store) : store_(store) {}
    void loadSettings(CurveModel& model);
    void saveSettings(const CurveModel& model);

private:
    void load(ModelSettings& model);
    StringStore& store_;
};

// The window never gets smaller than this.
constexpr int MinWindowWidth = 640;
constexpr int MinWindowHeight = 480;

}  // namespace grayden
