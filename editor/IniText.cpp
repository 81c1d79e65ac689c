#include "editor/IniText.h"

namespace grayden {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

bool isAsciiHexDigit(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Keys and section names: '/' separates groups, other characters outside [A-Za-z0-9_.-] are
// percent-encoded (%XX, or %UXXXX beyond Latin-1).
void appendEscapedKey(const QString& key, QByteArray& out) {
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
                   c == '.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += HexDigits[c / 16];
            out += HexDigits[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += HexDigits[(c >> shift) & 0xF];
        }
    }
}

// A string value: a leading '@' is doubled (it would announce a typed value), control
// characters, quotes and backslashes are escaped, and the whole is quoted when it holds a list
// or comment separator or starts or ends with a space.
void appendEscapedValue(const QString& value, QByteArray& out) {
    const QByteArray utf8 = (value.startsWith(u'@') ? QStringLiteral("@") + value : value).toUtf8();
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;  // a hex escape would swallow a following hex digit
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (escapeNextIfHexDigit && isAsciiHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case '\0':
            out += "\\0";
            escapeNextIfHexDigit = true;
            break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += ch;
            break;
        default:
            if (c <= 0x1F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += ch;
            }
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

}  // namespace

QByteArray formatIniText(const std::map<QString, QString>& values) {
    std::map<QString, std::map<QString, QString>> sections;
    for (const auto& [key, value] : values) {
        const qsizetype slash = key.indexOf(u'/');
        if (slash < 0)
            sections[QString()][key] = value;
        else
            sections[key.left(slash)][key.mid(slash + 1)] = value;
    }
    QByteArray out;
    for (const auto& [section, entries] : sections) {
        if (!out.isEmpty()) out += '\n';
        QByteArray name;
        appendEscapedKey(section, name);
        // The top level is written as [General]; a group really named so is told apart.
        if (name.isEmpty())
            name = "General";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            name = "%General";
        out += '[' + name + "]\n";
        for (const auto& [key, value] : entries) {
            appendEscapedKey(key, out);
            out += '=';
            appendEscapedValue(value, out);
            out += '\n';
        }
    }
    return out;
}

}  // namespace grayden
