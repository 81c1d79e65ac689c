#include "engine/ToneFile.h"

#include <charconv>
#include <utility>

#include "engine/LeadingInteger.h"
#include "platform/FileRead.h"

namespace grayden {

namespace {

std::uint16_t clampedLevel(std::string_view field) {
    return static_cast<std::uint16_t>(clampLevel(leadingInteger(field)));
}

// Finds separators forward only: every search starts at or after the previous one, so a
// remembered hit stays valid until the read position passes it. Keeps reading linear.
class ForwardFinder {
public:
    ForwardFinder(std::string_view text, char wanted) : text_(text), wanted_(wanted) {}
    std::size_t findFrom(std::size_t pos) {
        if (!searched_ || (hit_ != std::string_view::npos && hit_ < pos)) {
            hit_ = text_.find(wanted_, pos);
            searched_ = true;
        }
        return hit_;
    }

private:
    std::string_view text_;
    char wanted_;
    std::size_t hit_ = std::string_view::npos;
    bool searched_ = false;
};

// Each CR LF pair becomes one space, in place.
void foldLineEnds(std::string& text) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') {
            text[out++] = ' ';
            ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

}  // namespace

bool parseToneText(std::string text, ToneTable& table) {
    foldLineEnds(text);
    const std::string_view all(text);
    ForwardFinder commas(all, ',');
    ForwardFinder spaces(all, ' ');
    ToneTable values{};
    std::size_t pos = 0;
    for (int k = 0; k < LevelCount - 1; ++k) {
        while (pos < all.size() && isCSpace(all[pos])) ++pos;
        std::size_t sep = commas.findFrom(pos);
        if (sep == std::string_view::npos) sep = spaces.findFrom(pos);
        if (sep == std::string_view::npos) return false;
        values[k] = clampedLevel(all.substr(pos, sep - pos));
        pos = sep + 1;
    }
    values[LevelCount - 1] = clampedLevel(all.substr(pos));
    table = values;
    return true;
}

std::string formatToneText(const ToneTable& table) {
    std::string out;
    out.reserve(LevelCount * 7);
    char digits[8];
    for (int i = 0; i < LevelCount; ++i) {
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, table[i]);
        (void)ec;
        out.append(digits, end);
        if (i < LevelCount - 1) out.append(",\r\n");
    }
    return out;
}

ToneFileError readToneFile(const std::string& path, ToneTable& table) {
    FileReadError ignored = FileReadError::None;
    return readToneFile(path, table, ignored);
}

ToneFileError readToneFile(const std::string& path, ToneTable& table, FileReadError& readError) {
    std::string text;
    readError = readRegularFile(path, MaxToneFileBytes, text);
    if (readError != FileReadError::None) return ToneFileError::CannotOpen;
    return parseToneText(std::move(text), table) ? ToneFileError::None : ToneFileError::InvalidContents;
}

}  // namespace grayden
