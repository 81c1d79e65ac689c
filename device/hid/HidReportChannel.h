#pragma once

#include <cstdint>

#include "device/hid/HidDeviceInfo.h"
#include "device/hid/HidPlatform.h"

namespace grayden {

// Moves whole feature reports through the platform.
class HidFeaturePort {
public:
    explicit HidFeaturePort(HidPlatform& platform) : platform_(platform) {}
    virtual ~HidFeaturePort() = default;
    virtual bool getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t frameLength);
    virtual bool setFeature(HidHandle handle, std::uint8_t* frame, std::int16_t frameLength);

protected:
    HidPlatform& platform_;
};

// Reads and writes one value addressed by (usage, usage page) of the bound device.
class HidReportChannel : public HidFeaturePort {
public:
    using HidFeaturePort::HidFeaturePort;

    void bindDevice(HidDeviceInfo* device);
    HidDeviceInfo* boundDevice() const { return device_; }
    bool lookupUsage(std::uint8_t usage, std::uint16_t usagePage);

    virtual bool readValue(std::uint8_t* buffer, std::int16_t length, std::uint8_t usage, std::uint16_t usagePage);
    virtual bool writeValue(const std::uint8_t* buffer, std::int16_t length, std::uint8_t usage,
                            std::uint16_t usagePage);

    // State of the last lookup.
    std::uint8_t usage() const { return usage_; }
    std::uint8_t reportId() const { return reportId_; }
    std::uint16_t usagePage() const { return usagePage_; }
    std::int16_t valueLength() const { return valueLength_; }
    std::uint16_t bitSize() const { return bitSize_; }
    std::uint16_t reportCount() const { return reportCount_; }
    bool notFound() const { return notFound_; }

protected:
    // The one-millisecond busy wait before a value longer than 7 bytes is sent.
    virtual void pauseBeforeLongWrite();

private:
    HidDeviceInfo* device_ = nullptr;
    std::uint8_t usage_ = 0;
    std::uint8_t reportId_ = 0;
    std::uint16_t usagePage_ = 0;
    std::int16_t valueLength_ = 0;
    std::uint16_t bitSize_ = 0;
    std::uint16_t reportCount_ = 0;
    bool notFound_ = true;
};

}  // namespace grayden
