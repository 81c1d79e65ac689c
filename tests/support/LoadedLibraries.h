#pragma once

#include <link.h>

#include <string_view>

namespace grayden::testing {

// Whether a shared object whose path contains the text is loaded in this process.
inline bool libraryLoaded(std::string_view pathPart) {
    struct Search {
        std::string_view part;
        bool found = false;
    } search{pathPart};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (info->dlpi_name && std::string_view(info->dlpi_name).find(s->part) != std::string_view::npos)
                s->found = true;
            return s->found ? 1 : 0;
        },
        &search);
    return search.found;
}

}  // namespace grayden::testing
