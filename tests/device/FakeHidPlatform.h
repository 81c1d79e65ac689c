#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestDescriptors.h"
#include "device/hid/HidPlatform.h"

namespace grayden {

struct FakeDevice {
    std::string path;
    int openError = 0;  // the errno its open fails with; 0 opens
    bool attributesFail = false;
    std::uint16_t vendorId = 4712;
    std::uint16_t productId = 1;
    std::uint16_t versionNumber = 30000;
    std::vector<std::uint8_t> descriptor = testdescriptors::VendorFeatures;
};

// One feature-report exchange, the channel's pause, or a taking or release of the transfer lock,
// in the order they happened.
struct FakeEvent {
    enum Kind { Get, Set, Pause, Lock, Unlock } kind;
    HidHandle handle = InvalidHidHandle;
    std::vector<std::uint8_t> frame;
};

// A platform of scripted devices that records what is asked of it.
class FakeHidPlatform : public HidPlatform {
public:
    std::vector<FakeDevice> devices;
    std::set<std::size_t> failingIndices;  // interface queries that fail with an error
    std::size_t failingFrom = SIZE_MAX;    // every query from this index on fails
    bool enumerationUnavailable = false;
    bool exchangesFail = false;
    std::uint8_t replyFill = 0xA5;  // value bytes a get answers with
    DeviceLockResult lockAnswer = DeviceLockResult::Held;

    std::vector<std::size_t> queriedIndices;
    int enumerationsEnded = 0;
    std::map<HidHandle, std::size_t> openHandles;  // handle -> device index
    std::vector<HidAccess> requestedAccess;        // what every open asked for, in order
    std::vector<FakeEvent> events;
    int strayCloses = 0;  // closes of a handle that was not open (a double close)

    void addDevices(int count, std::uint16_t vendorId = 4712) {
        for (int i = 0; i < count; ++i) {
            FakeDevice device;
            device.path = "/dev/fake" + std::to_string(devices.size());
            device.vendorId = vendorId;
            devices.push_back(device);
        }
    }

    bool beginEnumeration() override { return !enumerationUnavailable; }

    InterfaceQuery interfaceAt(std::size_t index, std::string& path) override {
        queriedIndices.push_back(index);
        if (index >= failingFrom || failingIndices.count(index) != 0) {
            return InterfaceQuery::Failed;
        }
        if (index >= devices.size()) {
            return InterfaceQuery::NoMoreItems;
        }
        path = devices[index].path;
        return InterfaceQuery::Found;
    }

    void endEnumeration() override { ++enumerationsEnded; }

    HidHandle openDevice(const std::string& path, const HidAccess& access, int& error) override {
        requestedAccess.push_back(access);
        const auto device =
            std::find_if(devices.begin(), devices.end(), [&](const FakeDevice& d) { return d.path == path; });
        if (device == devices.end() || device->openError != 0) {
            error = device == devices.end() ? 2 : device->openError;
            return InvalidHidHandle;
        }
        const HidHandle handle = nextHandle_++;
        openHandles[handle] = static_cast<std::size_t>(device - devices.begin());
        return handle;
    }

    void closeDevice(HidHandle handle) override {
        if (openHandles.erase(handle) == 0) ++strayCloses;
    }

    bool getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                       std::uint16_t& versionNumber) override {
        const FakeDevice& device = devices.at(openHandles.at(handle));
        vendorId = device.vendorId;
        productId = device.productId;
        versionNumber = device.versionNumber;
        return !device.attributesFail;
    }

    bool getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) override {
        descriptor = devices.at(openHandles.at(handle)).descriptor;
        return true;
    }

    bool getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) override {
        events.push_back({FakeEvent::Get, handle, {frame, frame + length}});
        std::fill(frame + 1, frame + length, replyFill);
        return !exchangesFail;
    }

    bool setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) override {
        events.push_back({FakeEvent::Set, handle, {frame, frame + length}});
        return !exchangesFail;
    }

    // Only a lock that is Held is recorded.
    DeviceLockResult lockDevice(HidHandle handle, std::chrono::milliseconds) override {
        if (lockAnswer == DeviceLockResult::Held) events.push_back({FakeEvent::Lock, handle, {}});
        return lockAnswer;
    }

    void unlockDevice(HidHandle handle) override { events.push_back({FakeEvent::Unlock, handle, {}}); }

private:
    HidHandle nextHandle_ = 100;
};

}  // namespace grayden
