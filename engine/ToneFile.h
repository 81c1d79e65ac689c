#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ToneTable.h"
#include "platform/FileRead.h"

namespace grayden {

// Files larger than this are refused before anything is read.
constexpr std::uint64_t MaxToneFileBytes = 64ull * 1024 * 1024;

enum class ToneFileError { None, CannotOpen, InvalidContents };

// Extracts 256 values from tone-file text by the reader's rules; values clamp to 0..8160.
// The text is taken by value because the reader rewrites line ends in place.
bool parseToneText(std::string text, ToneTable& table);

// The written form: "%d,\r\n" for levels 0..254, then "%d" alone.
std::string formatToneText(const ToneTable& table);

ToneFileError readToneFile(const std::string& path, ToneTable& table);
// The same, saying how the read failed when the file could not be opened or read (errno is kept).
ToneFileError readToneFile(const std::string& path, ToneTable& table, FileReadError& readError);

}  // namespace grayden
