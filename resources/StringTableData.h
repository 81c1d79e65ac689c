#pragma once

#include <cstddef>

namespace grayden {

struct StringEntry {
    int id;
    const char* english;
    const char* japanese;
};

extern const StringEntry stringEntries[];
extern const std::size_t stringEntryCount;

}  // namespace grayden
