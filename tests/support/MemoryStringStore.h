#pragma once

#include <map>
#include <string>

#include "engine/SettingsStore.h"

namespace grayden {

// A store that lives in memory, for tests.
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

}  // namespace grayden
