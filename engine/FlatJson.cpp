#include "engine/FlatJson.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace grayden {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    void skipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n'))
            ++at_;
    }
    bool take(char c) {
        skipSpace();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool atEnd() {
        skipSpace();
        return at_ == text_.size();
    }

    bool string(std::string& out) {
        if (!take('"')) return false;
        out.clear();
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) return false;
            const char e = text_[at_++];
            switch (e) {
            case '"':
            case '\\':
            case '/': out += e; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::uint32_t code = 0;
                if (!hexQuad(code)) return false;
                if (code >= 0xD800 && code < 0xDC00) {
                    std::uint32_t low = 0;
                    if (!text_.substr(at_).starts_with("\\u")) return false;
                    at_ += 2;
                    if (!hexQuad(low) || low < 0xDC00 || low >= 0xE000) return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    return false;
                }
                appendUtf8(out, code);
                break;
            }
            default: return false;
            }
        }
        return false;
    }

    bool value(FlatJsonValue& out) {
        skipSpace();
        if (at_ >= text_.size()) return false;
        if (text_[at_] == '"') {
            out.kind = FlatJsonValue::Kind::String;
            return string(out.text);
        }
        for (const auto& [word, kind, truth] : {std::tuple{"true", FlatJsonValue::Kind::Boolean, true},
                                                std::tuple{"false", FlatJsonValue::Kind::Boolean, false},
                                                std::tuple{"null", FlatJsonValue::Kind::Null, false}}) {
            if (text_.substr(at_).starts_with(word)) {
                at_ += std::string_view(word).size();
                out.kind = kind;
                out.boolean = truth;
                return true;
            }
        }
        // JSON's numbers are a subset of what from_chars reads, less a leading '+' or "inf".
        if (text_[at_] != '-' && (text_[at_] < '0' || text_[at_] > '9')) return false;
        const char* begin = text_.data() + at_;
        const auto [end, ec] = std::from_chars(begin, text_.data() + text_.size(), out.number);
        if (ec != std::errc() || !std::isfinite(out.number)) return false;
        at_ += static_cast<std::size_t>(end - begin);
        out.kind = FlatJsonValue::Kind::Number;
        return true;
    }

private:
    bool hexQuad(std::uint32_t& code) {
        if (at_ + 4 > text_.size()) return false;
        const auto [end, ec] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
        if (ec != std::errc() || end != text_.data() + at_ + 4) return false;
        at_ += 4;
        return true;
    }
    static void appendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

bool parseFlatJsonObject(std::string_view text, FlatJsonObject& object) {
    Reader reader(text);
    FlatJsonObject members;
    if (!reader.take('{')) return false;
    if (!reader.take('}')) {
        do {
            std::string name;
            FlatJsonValue value;
            if (!reader.string(name) || !reader.take(':') || !reader.value(value)) return false;
            members[name] = std::move(value);
        } while (reader.take(','));
        if (!reader.take('}')) return false;
    }
    if (!reader.atEnd()) return false;
    object = std::move(members);
    return true;
}

void FlatJsonWriter::key(std::string_view name) {
    if (text_.size() > 1) text_ += ',';
    quoted(name);
    text_ += ':';
}

void FlatJsonWriter::quoted(std::string_view value) {
    constexpr const char* Digits = "0123456789abcdef";
    text_ += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20) {
            text_ += "\\u00";
            text_ += Digits[byte >> 4];
            text_ += Digits[byte & 15];
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

void FlatJsonWriter::string(std::string_view name, std::string_view value) {
    key(name);
    quoted(value);
}

void FlatJsonWriter::number(std::string_view name, double value) {
    if (!std::isfinite(value)) return null(name);
    key(name);
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text_.append(digits, end);
}

void FlatJsonWriter::boolean(std::string_view name, bool value) {
    key(name);
    text_ += value ? "true" : "false";
}

void FlatJsonWriter::null(std::string_view name) {
    key(name);
    text_ += "null";
}

}  // namespace grayden
