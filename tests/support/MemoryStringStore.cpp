#include "tests/support/MemoryStringStore.h"

#include <utility>

namespace grayden {

bool MemoryStringStore::readStringValue(const std::string& keyPath, const std::string& name, std::string& text) {
    const auto it = values.find(keyPath + "\\" + name);
    if (it == values.end()) return false;
    text = it->second;
    return true;
}

bool MemoryStringStore::writeStringValue(const std::string& keyPath, const std::string& name, const std::string& text) {
    if (failWrites) return false;
    pending[keyPath + "\\" + name] = text;
    return true;
}

bool MemoryStringStore::commit() {
    ++commits;
    if (failCommits) {
        pending.clear();
        return false;
    }
    for (auto& [key, text] : pending) values[key] = std::move(text);
    pending.clear();
    return true;
}

}  // namespace grayden
