#pragma once

#include <string_view>

namespace grayden {

enum class Language { English, Japanese };

// The text of a string-table entry, or an empty view when the table has no such id.
std::string_view stringText(int id, Language language);

}  // namespace grayden
