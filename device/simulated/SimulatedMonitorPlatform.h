#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/FlockWait.h"
#include "device/hid/HidPlatform.h"
#include "device/simulated/SimulatedMonitor.h"
#include "device/simulated/SimulatedMonitorReports.h"

namespace grayden {

enum class ExchangeDirection { Get, Set };

// One feature-report exchange as the simulated devices saw it.
struct SimulatedExchange {
    std::size_t device = 0;  // index among the platform's devices
    ExchangeDirection direction = ExchangeDirection::Get;
    std::uint8_t reportId = 0;
    std::vector<std::uint8_t> bytes;  // the value sent, or the value returned by a successful get
    bool succeeded = false;

    bool operator==(const SimulatedExchange&) const = default;
};

// A HID platform whose devices are simulated monitors: the monitor itself, whose memory may live
// in a state file, and optionally devices that discovery must pass over. Tests inject faults
// and read back every exchange.
class SimulatedMonitorPlatform : public HidPlatform {
public:
    explicit SimulatedMonitorPlatform(MonitorState monitor = factoryMonitorState());
    // The monitor remembered in a state file (a missing file is created factory-fresh). Null,
    // with the reason in error, when the file cannot be read, is malformed or cannot be created.
    static std::unique_ptr<SimulatedMonitorPlatform> fromStateFile(const std::string& path, std::string& error);

    bool beginEnumeration() override;
    InterfaceQuery interfaceAt(std::size_t index, std::string& path) override;
    void endEnumeration() override;
    HidHandle openDevice(const std::string& path, const HidAccess& access, int& error) override;
    void closeDevice(HidHandle handle) override;
    bool peekVendorId(const std::string& path, std::uint16_t& vendorId) override;
    bool getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                       std::uint16_t& versionNumber) override;
    bool getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) override;
    bool getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) override;
    bool setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) override;
    // The monitor of a state file shares its memory with every process that uses the file, so
    // its transfer lock is an flock on the file "<state>.lock" beside it (not on the state file,
    // which every change replaces, nor on its folder, which each change locks on its own). Any
    // other device is reached only through this platform and its lock is always free.
    DeviceLockResult lockDevice(HidHandle handle, std::chrono::milliseconds wait) override;
    void unlockDevice(HidHandle handle) override { transferLocks_.erase(handle); }

    // The supported monitor, and every device in enumeration order.
    SimulatedMonitor& monitor() { return devices_[monitorIndex_].monitor; }
    std::size_t monitorIndex() const { return monitorIndex_; }
    std::size_t deviceCount() const { return devices_.size(); }
    const std::string& devicePath(std::size_t device) const { return devices_[device].path; }
    SimulatedMonitor& device(std::size_t index) { return devices_[index].monitor; }

    // Lists, before the monitor, a QT440 that cannot be opened for lack of permission, one of an
    // unaccepted vendor, one of an accepted vendor with release 29999, one whose model name is
    // "qt440" and a node of two top-level collections whose second one carries the model name
    // "QT441"; each but the last would pass if its one flaw were overlooked.
    void addDiscoveryDevices();
    // Adds a device at the end of the enumeration order; returns its index.
    std::size_t addDevice(MonitorState state);
    // The report descriptor a device hands out (the monitor's own one unless changed).
    void setDescriptor(std::size_t device, std::vector<std::uint8_t> descriptor);

    // Faults. The nth exchange from now fails (1 = the next one), once.
    void failExchange(std::size_t n) { failAt_ = exchangeCount_ + n; }
    // Every exchange of the report that carries this usage fails, until cleared.
    void failUsage(std::uint16_t usagePage, std::uint8_t usage);
    void clearFaults();
    // Another program holds the transfer lock: every lockDevice is Busy as if its wait ran out.
    void holdLockElsewhere(bool held) { lockHeldElsewhere_ = held; }
    // The device disappears: it is no longer listed and every exchange with it fails.
    void unplug(std::size_t device) { devices_[device].present = false; }

    // The exchange log, kept only while recording is on.
    void recordExchanges(bool on) { recording_ = on; }
    const std::vector<SimulatedExchange>& exchanges() const { return log_; }
    void clearExchanges() { log_.clear(); }
    std::size_t exchangeCount() const { return exchangeCount_; }
    std::size_t openHandleCount() const { return handles_.size(); }

private:
    struct Device {
        std::string path;
        SimulatedMonitor monitor;
        bool present = true;
        bool accessDenied = false;
        std::vector<std::uint8_t> descriptor = simulatedMonitorDescriptor();
    };

    Device* deviceFor(HidHandle handle);
    bool faultFor(std::uint8_t reportId);
    void record(std::size_t device, ExchangeDirection direction, const std::uint8_t* frame, std::int16_t length,
                bool succeeded);
    bool applySet(std::size_t device, const std::uint8_t* frame, std::int16_t length);

    std::vector<Device> devices_;
    std::size_t monitorIndex_ = 0;
    std::optional<std::string> statePath_;
    std::vector<std::string> snapshot_;
    std::map<HidHandle, std::size_t> handles_;
    HidHandle nextHandle_ = 3;
    std::size_t exchangeCount_ = 0;
    std::size_t failAt_ = 0;
    std::set<std::uint8_t> failingReports_;
    bool recording_ = false;
    bool lockHeldElsewhere_ = false;
    std::map<HidHandle, OwnedFd> transferLocks_;
    std::vector<SimulatedExchange> log_;
};

}  // namespace grayden
