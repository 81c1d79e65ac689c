#include "device/simulated/SimulatedMonitorState.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "device/TonePacking.h"
#include "platform/FileRead.h"
#include "platform/FileSave.h"

namespace grayden {

namespace {

// A state file is a few kilobytes; anything far larger is not one.
constexpr std::size_t MaxStateFileBytes = 1 << 20;

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool parseNumber(std::string_view text, unsigned long max, unsigned long& value) {
    text = trimmed(text);
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value <= max;
}

bool parseBank(std::string_view text, PackedBank& bank, std::string& error) {
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view field = text.substr(0, comma);
        unsigned long level = 0;
        if (count == bank.size()) {
            error = "more than 256 levels";
            return false;
        }
        if (!parseNumber(field, MaxStoredLevel, level)) {
            error = "level " + std::to_string(count) + " is " + quotedForMessage(trimmed(field)) +
                    ", not a whole number from 0 to " + std::to_string(MaxStoredLevel);
            return false;
        }
        bank[count++] = packToneLevel(static_cast<int>(level));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (count != bank.size()) {
        error = "only " + std::to_string(count) + " levels, 256 needed";
        return false;
    }
    return true;
}

bool parseModelName(std::string_view text, std::string& name, std::string& error) {
    if (text.size() > MaxModelNameBytes) {
        error = "longer than 8 bytes";
        return false;
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            error = "contains a control character";
            return false;
        }
    }
    name = std::string(text);
    return true;
}

std::string formatBank(const PackedBank& bank) {
    std::string out;
    for (std::size_t i = 0; i < bank.size(); ++i) {
        if (i > 0) out += ',';
        out += std::to_string(unpackToneWord(bank[i]));
    }
    return out;
}

using FieldParser = std::function<bool(std::string_view value, MonitorState& s, std::string& error)>;

bool parseField(std::string_view value, unsigned long max, unsigned long& n, std::string& error) {
    if (parseNumber(value, max, n)) return true;
    error = quotedForMessage(trimmed(value)) + " is not a whole number from 0 to " + std::to_string(max);
    return false;
}

FieldParser wordField(std::uint16_t MonitorState::*member) {
    return [member](std::string_view value, MonitorState& s, std::string& error) {
        unsigned long n = 0;
        if (!parseField(value, 0xFFFF, n, error)) return false;
        s.*member = static_cast<std::uint16_t>(n);
        return true;
    };
}

FieldParser flagField(bool MonitorState::*member) {
    return [member](std::string_view value, MonitorState& s, std::string& error) {
        unsigned long n = 0;
        if (!parseField(value, 1, n, error)) return false;
        s.*member = n != 0;
        return true;
    };
}

FieldParser bankField(PackedBank MonitorState::*member) {
    return [member](std::string_view value, MonitorState& s, std::string& error) {
        return parseBank(value, s.*member, error);
    };
}

struct Field {
    std::string_view key;
    bool required;
    FieldParser parse;
};

const std::vector<Field>& fields() {
    static const std::vector<Field> table = {
        {"vendorId", true, wordField(&MonitorState::vendorId)},
        {"productId", true, wordField(&MonitorState::productId)},
        {"releaseNumber", true, wordField(&MonitorState::releaseNumber)},
        {"modelName", true,
         [](std::string_view v, MonitorState& s, std::string& e) { return parseModelName(v, s.modelName, e); }},
        {"calibrated", true, flagField(&MonitorState::calibrated)},
        {"mode", true, wordField(&MonitorState::mode)},
        {"gammaCode", true, wordField(&MonitorState::gammaCode)},
        {"stored", true, bankField(&MonitorState::stored)},
        {"preview", true, bankField(&MonitorState::preview)},
        {"extraDevices", false, flagField(&MonitorState::extraDevices)},
        {"corruptBlockWrites", false, flagField(&MonitorState::corruptBlockWrites)},
    };
    return table;
}

std::string describeErrno(int error) { return std::strerror(error); }

}  // namespace

std::string quotedForMessage(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out = "'";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F || c1) {
            const int bytes = c1 ? 2 : 1;
            for (int k = 0; k < bytes; ++k) {
                const auto b = static_cast<unsigned char>(text[i + k]);
                out += "\\x";
                out += Hex[b >> 4];
                out += Hex[b & 0xF];
            }
            i += bytes - 1;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "'";
}

MonitorState factoryMonitorState() {
    MonitorState state;
    for (int i = 0; i < LevelCount; ++i) {
        state.stored[i] = packToneLevel(32 * i);
    }
    state.preview = state.stored;
    return state;
}

bool parseMonitorState(std::string_view text, MonitorState& state, std::string& error) {
    MonitorState parsed = factoryMonitorState();
    std::set<std::string_view> seen;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') continue;

        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            error = where + "expected key=value";
            return false;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const Field* field = nullptr;
        for (const Field& f : fields()) {
            if (f.key == key) field = &f;
        }
        if (field == nullptr) {
            error = where + "unknown key " + quotedForMessage(key);
            return false;
        }
        if (!seen.insert(field->key).second) {
            error = where + "key " + quotedForMessage(key) + " appears twice";
            return false;
        }
        std::string problem;
        if (!field->parse(line.substr(equals + 1), parsed, problem)) {
            error = where + std::string(key) + ": " + problem;
            return false;
        }
    }
    for (const Field& f : fields()) {
        if (f.required && !seen.contains(f.key)) {
            error = "missing key '" + std::string(f.key) + "'";
            return false;
        }
    }
    state = parsed;
    return true;
}

std::string formatMonitorState(const MonitorState& state) {
    std::string out = "# Memory of the simulated monitor used when GRAYDEN_SIMULATOR names this file.\n";
    out += "vendorId=" + std::to_string(state.vendorId) + "\n";
    out += "productId=" + std::to_string(state.productId) + "\n";
    out += "releaseNumber=" + std::to_string(state.releaseNumber) + "\n";
    out += "modelName=" + state.modelName + "\n";
    out += "calibrated=" + std::string(state.calibrated ? "1" : "0") + "\n";
    out += "mode=" + std::to_string(state.mode) + "\n";
    out += "gammaCode=" + std::to_string(state.gammaCode) + "\n";
    out += "stored=" + formatBank(state.stored) + "\n";
    out += "preview=" + formatBank(state.preview) + "\n";
    out += "extraDevices=" + std::string(state.extraDevices ? "1" : "0") + "\n";
    // Only a file that asks for the fault names it.
    if (state.corruptBlockWrites) out += "corruptBlockWrites=1\n";
    return out;
}

StateFileResult loadMonitorStateFile(const std::string& path, MonitorState& state, std::string& error) {
    const std::string prefix = "simulator state file " + quotedForMessage(path) + ": ";
    std::string text;
    switch (readRegularFile(path, MaxStateFileBytes, text)) {
    case FileReadError::None: break;
    case FileReadError::Missing: {
        const MonitorState fresh = factoryMonitorState();
        if (!saveMonitorStateFile(path, fresh, error)) return StateFileResult::Failed;
        state = fresh;
        return StateFileResult::Created;
    }
    case FileReadError::NotRegularFile:
    case FileReadError::TooLarge:
        error = prefix + "not a regular file of at most 1 MiB";
        return StateFileResult::Failed;
    case FileReadError::CannotOpen:
    case FileReadError::ReadFailed: error = prefix + describeErrno(errno); return StateFileResult::Failed;
    }
    std::string problem;
    if (!parseMonitorState(text, state, problem)) {
        error = prefix + problem;
        return StateFileResult::Failed;
    }
    return StateFileResult::Loaded;
}

bool saveMonitorStateFile(const std::string& path, const MonitorState& state, std::string& error) {
    errno = 0;
    if (saveFile(path, formatMonitorState(state))) return true;
    error = "simulator state file " + quotedForMessage(path) + ": cannot be written" +
            (errno != 0 ? ": " + describeErrno(errno) : std::string());
    return false;
}

}  // namespace grayden
