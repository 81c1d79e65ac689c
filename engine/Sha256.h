#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace grayden {

using Sha256Digest = std::array<std::uint8_t, 32>;

// The SHA-256 digest of the bytes, so a filed report names exactly the measurement it judged.
Sha256Digest sha256(std::string_view bytes);
// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace grayden
