#include "device/hid/HidReportChannel.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <vector>

namespace grayden {

namespace {

// Values of up to 7 bytes go out at once; longer ones (the table blocks) wait a millisecond first.
constexpr std::int16_t LongestImmediateWrite = 7;
// A value must leave room for the report id in a frame whose length is a signed 16-bit count.
constexpr std::int32_t MaxValueLength = std::numeric_limits<std::int16_t>::max() - 1;

}  // namespace

bool HidFeaturePort::getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t frameLength) {
    return platform_.getFeature(handle, frame, frameLength);
}

bool HidFeaturePort::setFeature(HidHandle handle, std::uint8_t* frame, std::int16_t frameLength) {
    return platform_.setFeature(handle, frame, frameLength);
}

void HidReportChannel::bindDevice(HidDeviceInfo* device) { device_ = device; }

bool HidReportChannel::lookupUsage(std::uint8_t usage, std::uint16_t usagePage) {
    usage_ = usage;
    if (device_ == nullptr) {
        return false;
    }
    notFound_ = true;
    // Every entry is visited: when several match, the last one in table order wins.
    for (const ValueCapability& cap : device_->featureValueCaps) {
        const std::int32_t length = std::int32_t{cap.bitSize / 8} * cap.reportCount;
        // A value that no frame can carry is never addressed.
        if (cap.usagePage != usagePage || cap.usage != usage || length > MaxValueLength) {
            continue;
        }
        notFound_ = false;
        reportId_ = cap.reportId;
        bitSize_ = cap.bitSize;
        reportCount_ = cap.reportCount;
        valueLength_ = static_cast<std::int16_t>(length);
        usagePage_ = cap.usagePage;
    }
    if (!notFound_) {
        return true;
    }
    for (const ButtonCapability& cap : device_->featureButtonCaps) {
        const bool direct = cap.usagePage == usagePage && cap.usage == usage;
        const bool byLink = cap.usagePage != usagePage && cap.linkUsagePage == usagePage && cap.linkUsage == usage;
        if (!direct && !byLink) {
            continue;
        }
        notFound_ = false;
        reportId_ = cap.reportId;
        bitSize_ = 1;
        reportCount_ = 1;
        valueLength_ = 1;
        usagePage_ = usagePage;
    }
    return !notFound_;
}

bool HidReportChannel::readValue(std::uint8_t* buffer, std::int16_t length, std::uint8_t usage,
                                 std::uint16_t usagePage) {
    if (buffer == nullptr || length < 0) {
        return false;
    }
    // Zeroed first, so a failed read leaves the whole buffer 0.
    std::memset(buffer, 0, static_cast<std::size_t>(length));
    if (!lookupUsage(usage, usagePage)) {
        return false;
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(valueLength_) + 1, 0);
    frame[0] = reportId_;
    if (!HidFeaturePort::getFeature(device_->handle, frame.data(), static_cast<std::int16_t>(frame.size()))) {
        return false;
    }
    std::memcpy(buffer, frame.data() + 1, static_cast<std::size_t>(std::min(length, valueLength_)));
    return true;
}

bool HidReportChannel::writeValue(const std::uint8_t* buffer, std::int16_t length, std::uint8_t usage,
                                  std::uint16_t usagePage) {
    if (buffer == nullptr || length < 0 || !lookupUsage(usage, usagePage)) {
        return false;
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(valueLength_) + 1, 0);
    frame[0] = reportId_;
    const std::int16_t sent = std::min(length, valueLength_);
    std::memcpy(frame.data() + 1, buffer, static_cast<std::size_t>(sent));
    if (sent > LongestImmediateWrite) {
        pauseBeforeLongWrite();
    }
    return HidFeaturePort::setFeature(device_->handle, frame.data(), static_cast<std::int16_t>(frame.size()));
}

void HidReportChannel::pauseBeforeLongWrite() {
    // A busy wait, not a sleep: a sleep may overshoot by a scheduler tick on every block.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1);
    while (std::chrono::steady_clock::now() < until) {}
}

}  // namespace grayden
