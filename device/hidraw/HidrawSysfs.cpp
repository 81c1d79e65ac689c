#include "device/hidraw/HidrawSysfs.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace grayden {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view NodePrefix = "hidraw";

// The node number of "hidrawN", or -1 for any other name.
long nodeNumber(std::string_view name) {
    if (name.substr(0, NodePrefix.size()) != NodePrefix || name.size() == NodePrefix.size()) {
        return -1;
    }
    const std::string_view digits = name.substr(NodePrefix.size());
    long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : -1;
}

// Reads a sysfs attribute such as "7530\n" as a 16-bit hex number.
bool readHexAttribute(const fs::path& file, std::uint16_t& value) {
    std::ifstream in(file);
    std::string text;
    if (!in || !std::getline(in, text) || text.empty() || text.size() > 4) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size();
}

bool isInside(const fs::path& path, const fs::path& root) {
    const auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

}  // namespace

bool HidrawSysfs::listNodes(std::vector<std::string>& names) const {
    names.clear();
    const fs::path classDir = fs::path(sysRoot_) / "class" / "hidraw";
    std::error_code error;
    if (!fs::exists(classDir, error)) {
        return !error;
    }
    fs::directory_iterator entries(classDir, error);
    if (error) {
        return false;
    }
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        if (nodeNumber(name) >= 0) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return nodeNumber(a) < nodeNumber(b); });
    return true;
}

bool HidrawSysfs::readReleaseNumber(const std::string& node, std::uint16_t& releaseNumber) const {
    return readUsbAttribute(node, "bcdDevice", releaseNumber);
}

bool HidrawSysfs::readVendorId(const std::string& node, std::uint16_t& vendorId) const {
    return readUsbAttribute(node, "idVendor", vendorId);
}

bool HidrawSysfs::readSerialNumber(const std::string& node, std::string& serial) const {
    std::string folder;
    if (!findUsbDevice(node, folder)) return false;
    std::ifstream in(fs::path(folder) / "serial");
    std::string text;
    if (!in || !std::getline(in, text) || text.empty() || text.size() > 126) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) return false;
    serial = text;
    return true;
}

bool HidrawSysfs::readUsbAttribute(const std::string& node, const char* name, std::uint16_t& value) const {
    std::string folder;
    return findUsbDevice(node, folder) && readHexAttribute(fs::path(folder) / name, value);
}

bool HidrawSysfs::findUsbDevice(const std::string& node, std::string& folder) const {
    if (nodeNumber(node) < 0) {
        return false;
    }
    // The class entry leads to the node inside its HID device; the USB device is the nearest
    // folder above that carries bcdDevice (the USB interface in between does not).
    std::error_code error;
    const fs::path root = fs::canonical(sysRoot_, error);
    if (error) {
        return false;
    }
    fs::path dir = fs::canonical(fs::path(sysRoot_) / "class" / "hidraw" / node, error);
    if (error) {
        return false;
    }
    while (isInside(dir, root) && dir != root) {
        if (fs::exists(dir / "idVendor", error) && fs::exists(dir / "bcdDevice", error)) {
            folder = dir.string();
            return true;
        }
        dir = dir.parent_path();
    }
    return false;
}

}  // namespace grayden
