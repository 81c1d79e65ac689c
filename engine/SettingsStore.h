#pragma once

#include <map>
#include <string>

namespace grayden {

class CurveModel;

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

// A store that lives in memory, for tools and tests.
class MemoryStringStore : public StringStore {
public:
    bool readStringValue(const std::string& keyPath, const std::string& name, std::string& text) override;
    bool writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) override;
    bool commit() override;
    std::map<std::string, std::string> values;   // "keyPath\\name" -> text, as committed
    std::map<std::string, std::string> pending;  // written, not yet committed
    bool failWrites = false;
    bool failCommits = false;
    int commits = 0;
};

// Loads and saves the model's persisted parameters; odd stored values fall back to defaults.
class SettingsStore {
public:
    explicit SettingsStore(StringStore& store) : store_(store) {}
    void loadSettings(CurveModel& model);
    void saveSettings(const CurveModel& model);

private:
    StringStore& store_;
};

// The window never gets smaller than this.
constexpr int MinWindowWidth = 640;
constexpr int MinWindowHeight = 480;

}  // namespace grayden
