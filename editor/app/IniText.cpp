#include "editor/app/IniText.h"

#include <vector>

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

bool isIniSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// One logical line as QSettings splits the text: comments skipped, quoted line breaks and
// backslash-continued lines joined.
struct IniLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1;  // the first '=' outside quotes
};

bool nextIniLine(const QByteArray& data, qsizetype& pos, IniLine& line) {
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < size && isIniSpace(data.at(line.start))) ++line.start;
    qsizetype i = line.start;
    while (i < size) {
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && line.equals < 0) line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char next = data.at(i++);
                if (i < size && ((next == '\n' && data.at(i) == '\r') || (next == '\r' && data.at(i) == '\n'))) ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == line.start + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r') ++i;
                while (i < size && isIniSpace(data.at(i))) ++i;
                line.start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.end = i;
    return line.end > line.start;
}

// A key as QSettings decodes it: '\\' is '/', %XX and %UXXXX are characters.
QString unescapedKey(const QByteArray& key) {
    const QString text = QString::fromUtf8(key);
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const QChar ch = text.at(i);
        if (ch == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        const qsizetype digits = i + 1 < text.size() && text.at(i + 1) == u'U' ? 4 : 2;
        const qsizetype first = i + (digits == 4 ? 2 : 1);
        bool ok = false;
        const ushort code = ch == u'%' && first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
        if (ok) {
            out += QChar(code);
            i = first + digits;
        } else {
            out += ch;
            ++i;
        }
    }
    return out;
}

// Whether a section header names the top level.
bool isTopLevelHeader(const QByteArray& header) {
    qsizetype close = header.indexOf(']');
    if (close < 0) close = header.size();
    return header.mid(1, close - 1).trimmed().compare("general", Qt::CaseInsensitive) == 0;
}

QByteArray entryText(const QString& key, const QString& value) {
    QByteArray out;
    appendEscapedKey(key, out);
    out += '=';
    appendEscapedValue(value, out);
    return out;
}

}  // namespace

QByteArray updateIniText(const QByteArray& existing, const std::map<QString, QString>& topLevelValues) {
    struct Edit {
        qsizetype start, end;
        QByteArray text;
    };
    std::vector<Edit> edits;
    std::map<QString, bool> present;
    const qsizetype begin = existing.startsWith("\xef\xbb\xbf") ? 3 : 0;
    qsizetype pos = begin;
    qsizetype topLevelEnd = -1;  // where the last top-level line ends
    bool inTopLevel = true;
    IniLine line;
    while (nextIniLine(existing, pos, line)) {
        if (existing.at(line.start) == '[') {
            inTopLevel = isTopLevelHeader(existing.mid(line.start, line.end - line.start));
            if (inTopLevel) topLevelEnd = line.end;
            continue;
        }
        if (!inTopLevel) continue;
        topLevelEnd = line.end;
        if (line.equals < 0) continue;
        const QString key = unescapedKey(existing.mid(line.start, line.equals - line.start).trimmed());
        const auto value = topLevelValues.find(key);
        if (value == topLevelValues.end()) continue;
        // Every copy is rewritten: QSettings takes the last, and all agree.
        edits.push_back({line.start, line.end, entryText(key, value->second)});
        present[key] = true;
    }

    QByteArray added;
    for (const auto& [key, value] : topLevelValues) {
        if (!present[key]) added += '\n' + entryText(key, value);
    }
    if (!added.isEmpty() && topLevelEnd >= 0) {
        edits.push_back({topLevelEnd, topLevelEnd, added});
    } else if (!added.isEmpty()) {
        QByteArray section = "[General]" + added + '\n';
        if (existing.size() > begin) section += '\n';
        edits.insert(edits.begin(), {begin, begin, section});
    }

    QByteArray out = existing;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        out.replace(edit->start, edit->end - edit->start, edit->text);
    }
    return out;
}

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
