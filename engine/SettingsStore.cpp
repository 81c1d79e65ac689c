#include "engine/SettingsStore.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "engine/CurveModel.h"
#include "engine/LeadingInteger.h"

namespace grayden {

namespace {

// The read buffer holds 256 bytes with the terminating null: a longer text does not fit and
// is not read at all.
constexpr std::size_t MaxStoredText = 255;

std::uint16_t saturatedU16(std::int32_t v) { return static_cast<std::uint16_t>(v < 0 ? 0 : (v > 0xFFFF ? 0xFFFF : v)); }

// A stored "%f" number, kept only when it is a finite number inside the range.
bool parseRangedDouble(std::string_view text, double low, double high, double& out) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) ++i;
    std::size_t end = text.size();
    while (end > i && isCSpace(text[end - 1])) --end;
    if (i < end && text[i] == '+') ++i;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + end, v, std::chars_format::fixed);
    if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(v) || v < low || v > high) return false;
    out = v;
    return true;
}

std::string formatFixed6(double v) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buf, end);
}

}  // namespace

void SettingsStore::loadSettings(CurveModel& model) {
    ModelSettings settings = model.settings();
    load(settings);
    model.restoreSettings(settings);
}

void SettingsStore::load(ModelSettings& model) {
    std::string text;
    auto read = [&](const char* name) {
        text.clear();
        return store_.readStringValue(SettingsKeyPath, name, text) && text.size() <= MaxStoredText;
    };
    if (read("ControlPntIdx")) {
        // The index is a 16-bit field: only the low 16 bits of the number are kept, then checked.
        const std::uint16_t v = static_cast<std::uint16_t>(leadingInteger(text));
        model.pointCountIndex = isValidPointCountIndex(v) ? v : static_cast<std::uint16_t>(DefaultPointCountIndex);
    }
    if (read("Gamma")) {
        double v = DefaultExponent;
        model.exponent = parseRangedDouble(text, MinExponent, MaxExponent, v) ? v : DefaultExponent;
    }
    if (read("PanelChr")) {
        double v = DefaultPanelGamma;
        model.panelGamma = parseRangedDouble(text, MinPanelGamma, MaxPanelGamma, v) ? v : DefaultPanelGamma;
    }
    if (read("ViewCurve")) model.previewOn = leadingInteger(text) != 0;
    if (read("Preview")) model.showOutputCurve = leadingInteger(text) != 0;
    if (read("Width")) {
        const std::uint16_t w = saturatedU16(leadingInteger(text));
        model.windowWidth = w < MinWindowWidth ? MinWindowWidth : w;
    }
    if (read("Height")) {
        const std::uint16_t h = saturatedU16(leadingInteger(text));
        model.windowHeight = h < MinWindowHeight ? MinWindowHeight : h;
    }
}

void SettingsStore::saveSettings(const CurveModel& curveModel) {
    const ModelSettings model = curveModel.settings();
    // Write failures are not reported: the user can do nothing about them at exit. One commit
    // for all seven, so the store never holds half old, half new values.
    store_.writeStringValue(SettingsKeyPath, "ControlPntIdx", std::to_string(model.pointCountIndex));
    store_.writeStringValue(SettingsKeyPath, "Gamma", formatFixed6(model.exponent));
    store_.writeStringValue(SettingsKeyPath, "PanelChr", formatFixed6(model.panelGamma));
    store_.writeStringValue(SettingsKeyPath, "ViewCurve", model.previewOn ? "1" : "0");
    store_.writeStringValue(SettingsKeyPath, "Preview", model.showOutputCurve ? "1" : "0");
    store_.writeStringValue(SettingsKeyPath, "Width", std::to_string(model.windowWidth));
    store_.writeStringValue(SettingsKeyPath, "Height", std::to_string(model.windowHeight));
    store_.commit();
}

}  // namespace grayden
