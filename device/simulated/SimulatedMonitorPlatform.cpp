#include "device/simulated/SimulatedMonitorPlatform.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "device/simulated/SimulatedMonitorReports.h"
#include "device/simulated/SimulatedMonitorStateLock.h"

namespace grayden {

SimulatedMonitorPlatform::SimulatedMonitorPlatform(MonitorState monitor) {
    const bool extras = monitor.extraDevices;
    devices_.push_back({"simulated:monitor", SimulatedMonitor(std::move(monitor))});
    if (extras) addDiscoveryDevices();
}

std::unique_ptr<SimulatedMonitorPlatform> SimulatedMonitorPlatform::fromStateFile(const std::string& path,
                                                                                  std::string& error) {
    MonitorState state;
    if (loadMonitorStateFile(path, state, error) == StateFileResult::Failed) return nullptr;
    auto platform = std::make_unique<SimulatedMonitorPlatform>(std::move(state));
    platform->statePath_ = path;
    return platform;
}

void SimulatedMonitorPlatform::addDiscoveryDevices() {
    MonitorState unaccepted = factoryMonitorState();
    unaccepted.vendorId = 0x046D;
    MonitorState oldRelease = factoryMonitorState();
    oldRelease.vendorId = 4713;
    oldRelease.releaseNumber = 29999;
    MonitorState wrongModel = factoryMonitorState();
    wrongModel.vendorId = 4714;
    wrongModel.modelName = "qt440";
    MonitorState twoCollections = factoryMonitorState();
    twoCollections.modelName = "QT441";
    std::vector<Device> extras;
    extras.push_back(
        {.path = "simulated:no-access", .monitor = SimulatedMonitor(factoryMonitorState()), .accessDenied = true});
    extras.push_back({"simulated:unaccepted-vendor", SimulatedMonitor(unaccepted)});
    extras.push_back({"simulated:release-29999", SimulatedMonitor(oldRelease)});
    extras.push_back({"simulated:wrong-model", SimulatedMonitor(wrongModel)});
    // Its vendor reports sit in its second top-level collection, where only a search that sees
    // every collection reaches its (unsupported) model name.
    extras.push_back({.path = "simulated:two-collections",
                      .monitor = SimulatedMonitor(twoCollections),
                      .descriptor = simulatedTwoCollectionDescriptor()});
    const std::size_t at = monitorIndex_;
    devices_.insert(devices_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(extras.begin()),
                    std::make_move_iterator(extras.end()));
    monitorIndex_ += extras.size();
    // Handles name device indices, which just moved.
    for (auto& [handle, index] : handles_) {
        if (index >= at) index += extras.size();
    }
}

std::size_t SimulatedMonitorPlatform::addDevice(MonitorState state) {
    devices_.push_back({"simulated:device" + std::to_string(devices_.size()), SimulatedMonitor(std::move(state))});
    return devices_.size() - 1;
}

void SimulatedMonitorPlatform::setDescriptor(std::size_t device, std::vector<std::uint8_t> descriptor) {
    devices_.at(device).descriptor = std::move(descriptor);
}

void SimulatedMonitorPlatform::failUsage(std::uint16_t usagePage, std::uint8_t usage) {
    if (const SimulatedReport* report = findSimulatedReport(usagePage, usage)) {
        failingReports_.insert(report->reportId);
    }
}

void SimulatedMonitorPlatform::clearFaults() {
    failAt_ = 0;
    failingReports_.clear();
}

bool SimulatedMonitorPlatform::beginEnumeration() {
    snapshot_.clear();
    for (const Device& d : devices_) {
        if (d.present) snapshot_.push_back(d.path);
    }
    return true;
}

InterfaceQuery SimulatedMonitorPlatform::interfaceAt(std::size_t index, std::string& path) {
    if (index >= snapshot_.size()) return InterfaceQuery::NoMoreItems;
    path = snapshot_[index];
    return InterfaceQuery::Found;
}

void SimulatedMonitorPlatform::endEnumeration() { snapshot_.clear(); }

HidHandle SimulatedMonitorPlatform::openDevice(const std::string& path, const HidAccess&, int& error) {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i].path != path || !devices_[i].present) continue;
        if (devices_[i].accessDenied) {
            error = EACCES;
            return InvalidHidHandle;
        }
        const HidHandle handle = nextHandle_++;
        handles_[handle] = i;
        return handle;
    }
    error = ENOENT;
    return InvalidHidHandle;
}

void SimulatedMonitorPlatform::closeDevice(HidHandle handle) {
    transferLocks_.erase(handle);
    handles_.erase(handle);
}

DeviceLockResult SimulatedMonitorPlatform::lockDevice(HidHandle handle, std::chrono::milliseconds wait) {
    const auto it = handles_.find(handle);
    if (it == handles_.end()) return DeviceLockResult::Failed;
    if (lockHeldElsewhere_) return DeviceLockResult::Busy;
    if (it->second != monitorIndex_ || !statePath_) return DeviceLockResult::Held;
    // Beside the file the path leads to, so every link to one state file shares the lock.
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::weakly_canonical(*statePath_, ec);
    const std::string path = (ec ? std::filesystem::path(*statePath_) : real).string() + ".lock";
    // Read access is enough for flock, so a lock file made by another user serves as well.
    OwnedFd file(::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        std::cerr << "grayden simulator: transfer lock " << quotedForMessage(path) << ": " << std::strerror(errno)
                  << '\n';
        return DeviceLockResult::Failed;
    }
    const DeviceLockResult result = waitForExclusiveFlock(file.get(), wait);
    if (result == DeviceLockResult::Held) transferLocks_[handle] = std::move(file);
    return result;
}

bool SimulatedMonitorPlatform::peekVendorId(const std::string& path, std::uint16_t& vendorId) {
    for (const Device& d : devices_) {
        if (d.path == path && d.present) {
            vendorId = d.monitor.state().vendorId;
            return true;
        }
    }
    return false;
}

SimulatedMonitorPlatform::Device* SimulatedMonitorPlatform::deviceFor(HidHandle handle) {
    const auto it = handles_.find(handle);
    if (it == handles_.end() || !devices_[it->second].present) return nullptr;
    return &devices_[it->second];
}

bool SimulatedMonitorPlatform::getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                                             std::uint16_t& versionNumber) {
    const Device* d = deviceFor(handle);
    if (d == nullptr) return false;
    vendorId = d->monitor.state().vendorId;
    productId = d->monitor.state().productId;
    versionNumber = d->monitor.state().releaseNumber;
    return true;
}

bool SimulatedMonitorPlatform::getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) {
    const Device* d = deviceFor(handle);
    if (d == nullptr) return false;
    descriptor = d->descriptor;
    return true;
}

bool SimulatedMonitorPlatform::faultFor(std::uint8_t reportId) {
    ++exchangeCount_;
    if (exchangeCount_ == failAt_) {
        failAt_ = 0;
        return true;
    }
    return failingReports_.contains(reportId);
}

void SimulatedMonitorPlatform::record(std::size_t device, ExchangeDirection direction, const std::uint8_t* frame,
                                      std::int16_t length, bool succeeded) {
    if (!recording_ || frame == nullptr || length < 1) return;
    SimulatedExchange e{device, direction, frame[0], {}, succeeded};
    if (direction == ExchangeDirection::Set || succeeded) e.bytes.assign(frame + 1, frame + length);
    log_.push_back(std::move(e));
}

bool SimulatedMonitorPlatform::getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) {
    Device* d = deviceFor(handle);
    if (d == nullptr || frame == nullptr || length < 1) return false;
    const std::size_t index = static_cast<std::size_t>(d - devices_.data());
    const bool ok = !faultFor(frame[0]) && d->monitor.getFeature(frame, length);
    record(index, ExchangeDirection::Get, frame, length, ok);
    return ok;
}

bool SimulatedMonitorPlatform::setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) {
    Device* d = deviceFor(handle);
    if (d == nullptr || frame == nullptr || length < 1) return false;
    const std::size_t index = static_cast<std::size_t>(d - devices_.data());
    const bool ok = !faultFor(frame[0]) && applySet(index, frame, length);
    record(index, ExchangeDirection::Set, frame, length, ok);
    return ok;
}

// The monitor keeps its memory only if the state file takes it: a write that cannot be stored
// fails and changes nothing, as a monitor whose memory refuses a write would. Other processes
// may share the file, so each change is applied, under the file's lock, to the memory as the
// file holds it now, never to an older copy that would undo their changes.
bool SimulatedMonitorPlatform::applySet(std::size_t device, const std::uint8_t* frame, std::int16_t length) {
    SimulatedMonitor& m = devices_[device].monitor;
    if (device != monitorIndex_ || !statePath_) return m.setFeature(frame, length);
    const MonitorState before = m.state();
    std::string error;
    SimulatedMonitorStateLock lock;
    MonitorState current;
    const bool reread = lock.acquire(*statePath_, error) &&
                        loadMonitorStateFile(*statePath_, current, error) != StateFileResult::Failed;
    if (reread) {
        current.extraDevices = before.extraDevices;  // which devices are listed is fixed at start
        m.state() = current;
    }
    const MonitorState base = m.state();
    if (!m.setFeature(frame, length)) return false;
    if (m.state() == base) return true;
    if (reread && saveMonitorStateFile(*statePath_, m.state(), error)) return true;
    std::cerr << "grayden simulator: " << error << '\n';
    m.state() = base;
    return false;
}

}  // namespace grayden
