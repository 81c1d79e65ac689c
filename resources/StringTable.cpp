#include "resources/StringTable.h"

#include "resources/StringTableData.h"

namespace grayden {

std::string_view stringText(int id, Language language) {
    for (std::size_t i = 0; i < stringEntryCount; ++i) {
        if (stringEntries[i].id == id) {
            return language == Language::Japanese ? stringEntries[i].japanese : stringEntries[i].english;
        }
    }
    return {};
}

}  // namespace grayden
