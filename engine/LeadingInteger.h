#pragma once

#include <cstdint>
#include <string_view>

namespace grayden {

// The text's leading decimal integer as the C library's atoi reads it (leading white space and
// a sign allowed, stops at the first non-digit, no digits gives 0), but saturated to the
// 32-bit range instead of overflowing.
std::int32_t leadingInteger(std::string_view text);

// White space as the C library's isspace sees it in the "C" locale.
constexpr bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace grayden
