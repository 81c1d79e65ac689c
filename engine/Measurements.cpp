#include "engine/Measurements.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/Gsdf.h"
#include "engine/ToneTable.h"
#include "platform/FileRead.h"

namespace grayden {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool parseLevel(std::string_view text, int& level) {
    if (text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), level);
    return ec == std::errc() && end == text.data() + text.size() && level < LevelCount;
}

void appendNumber(std::string& text, double value) {
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, ec == std::errc() ? end : digits);
}

bool parseLuminance(std::string_view text, double& luminance) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), luminance);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(luminance) && luminance > 0;
}

}  // namespace

GsdfProblem parseMeasurements(std::string_view text, MeasurementList& measurements) {
    // A spreadsheet's UTF-8 byte-order mark is no part of the first line.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    MeasurementList parsed;
    int line = 0;
    bool headingAllowed = true;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (row.ends_with('\r')) row.remove_suffix(1);
        row = trimmed(row);
        if (row.empty() || row.starts_with('#')) continue;
        const std::size_t comma = row.find(',');
        if (comma == std::string_view::npos || row.find(',', comma + 1) != std::string_view::npos) {
            return {GsdfError::MeasurementSyntax, line};
        }
        const std::string_view levelText = trimmed(row.substr(0, comma));
        const std::string_view luminanceText = trimmed(row.substr(comma + 1));
        if (headingAllowed && equalsIgnoringCase(levelText, "level") &&
            equalsIgnoringCase(luminanceText, "luminance")) {
            headingAllowed = false;
            continue;
        }
        headingAllowed = false;
        if (levelText.empty() || luminanceText.empty()) return {GsdfError::MeasurementSyntax, line};
        Measurement m;
        m.line = line;
        if (!parseLevel(levelText, m.level)) return {GsdfError::LevelOutOfRange, line};
        if (!parsed.empty() && m.level <= parsed.back().level) return {GsdfError::LevelNotIncreasing, line};
        if (!parseLuminance(luminanceText, m.luminance)) return {GsdfError::LuminanceNotPositive, line};
        parsed.push_back(m);
    }
    if (static_cast<int>(parsed.size()) < MinMeasurementCount) return {GsdfError::TooFewMeasurements, 0};
    measurements = std::move(parsed);
    return {};
}

GsdfProblem readMeasurementFile(const std::string& path, MeasurementList& measurements) {
    std::string text;
    errno = 0;
    if (const FileReadError error = readRegularFile(path, MaxMeasurementFileBytes, text);
        error != FileReadError::None) {
        return {.error = GsdfError::CannotReadMeasurements, .line = 0, .readError = error, .systemError = errno};
    }
    return parseMeasurements(text, measurements);
}

GsdfProblem checkMeasurements(std::span<const Measurement> measurements, double ambient) {
    if (static_cast<int>(measurements.size()) < MinMeasurementCount) return {GsdfError::TooFewMeasurements, 0};
    for (std::size_t k = 0; k < measurements.size(); ++k) {
        const Measurement& m = measurements[k];
        if (m.level < 0 || m.level >= LevelCount) return {GsdfError::LevelOutOfRange, m.line};
        if (k > 0 && m.level <= measurements[k - 1].level) return {GsdfError::LevelNotIncreasing, m.line};
        if (!(m.luminance > 0)) return {GsdfError::LuminanceNotPositive, m.line};
        const double shown = m.luminance + ambient;
        if (!(shown >= MinGsdfLuminance && shown <= MaxGsdfLuminance)) return {GsdfError::OutsideGsdfRange, m.line};
    }
    return {};
}

std::string formatMeasurementText(std::span<const Measurement> measurements, std::optional<double> ambient,
                                  std::string_view takenAt) {
    std::string text = "# measured ";
    text.append(takenAt);
    text += "\n# ambient ";
    if (ambient) {
        appendNumber(text, *ambient);
        text += " cd/m2\n";
    } else {
        text += "not measured\n";
    }
    text += "level,luminance\n";
    for (const Measurement& m : measurements) {
        text += std::to_string(m.level);
        text += ',';
        appendNumber(text, m.luminance);
        text += '\n';
    }
    return text;
}

std::optional<double> recordedAmbient(std::string_view text) {
    constexpr std::string_view Prefix = "# ambient ";
    constexpr std::string_view Unit = " cd/m2";
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.starts_with(Prefix) || !line.ends_with(Unit)) continue;
        const std::string number(line.substr(Prefix.size(), line.size() - Prefix.size() - Unit.size()));
        char* stop = nullptr;
        const double value = std::strtod(number.c_str(), &stop);
        if (!number.empty() && stop == number.c_str() + number.size() && std::isfinite(value) && value >= 0)
            return value;
    }
    return std::nullopt;
}

}  // namespace grayden
