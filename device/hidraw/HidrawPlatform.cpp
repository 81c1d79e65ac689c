#include "device/hidraw/HidrawPlatform.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "device/FlockWait.h"

namespace grayden {

namespace {

// hidraw refuses frames shorter than the id plus one byte; the ioctl number holds 14 bits of size.
constexpr std::int16_t MinFrameLength = 2;
constexpr std::int16_t MaxFrameLength = (1 << _IOC_SIZEBITS) - 1;

template <typename Call>
int retryInterrupted(Call call) {
    int result = 0;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

int fdOf(HidHandle handle) { return static_cast<int>(handle); }

}  // namespace

HidrawPlatform::HidrawPlatform(std::string sysRoot, std::string devRoot)
    : sysfs_(std::move(sysRoot)), devRoot_(std::move(devRoot)) {}

HidrawPlatform::~HidrawPlatform() {
    for (const auto& [handle, node] : open_) {
        ::close(fdOf(handle));
    }
}

bool HidrawPlatform::beginEnumeration() { return sysfs_.listNodes(nodes_); }

InterfaceQuery HidrawPlatform::interfaceAt(std::size_t index, std::string& path) {
    if (index >= nodes_.size()) {
        return InterfaceQuery::NoMoreItems;
    }
    path = devRoot_ + "/" + nodes_[index];
    return InterfaceQuery::Found;
}

void HidrawPlatform::endEnumeration() { nodes_.clear(); }

HidHandle HidrawPlatform::openDevice(const std::string& path, const HidAccess& access, int& error) {
    const int flags = access.read && access.write ? O_RDWR : (access.write ? O_WRONLY : O_RDONLY);
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return InvalidHidHandle;
    }
    // hidraw has no sharing mode; an advisory lock keeps out other users that ask the same.
    if (access.exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        ::close(fd);
        return InvalidHidHandle;
    }
    open_[fd] = OpenNode{.name = std::filesystem::path(path).filename().string(), .exclusive = access.exclusive};
    return fd;
}

void HidrawPlatform::closeDevice(HidHandle handle) {
    if (open_.erase(handle) != 0) {
        ::close(fdOf(handle));
    }
}

bool HidrawPlatform::peekVendorId(const std::string& path, std::uint16_t& vendorId) {
    return sysfs_.readVendorId(std::filesystem::path(path).filename().string(), vendorId);
}

bool HidrawPlatform::peekSerialNumber(const std::string& path, std::string& serial) {
    return sysfs_.readSerialNumber(std::filesystem::path(path).filename().string(), serial);
}

HidrawPlatform::OpenNode* HidrawPlatform::findOpen(HidHandle handle) {
    const auto found = open_.find(handle);
    return found == open_.end() ? nullptr : &found->second;
}

bool HidrawPlatform::getAttributes(HidHandle handle, std::uint16_t& vendorId, std::uint16_t& productId,
                                   std::uint16_t& versionNumber) {
    const OpenNode* node = findOpen(handle);
    hidraw_devinfo info{};
    if (node == nullptr || ::ioctl(fdOf(handle), HIDIOCGRAWINFO, &info) < 0 || info.bustype != BUS_USB) {
        return false;
    }
    std::uint16_t release = 0;
    if (!sysfs_.readReleaseNumber(node->name, release)) {
        return false;
    }
    vendorId = static_cast<std::uint16_t>(info.vendor);
    productId = static_cast<std::uint16_t>(info.product);
    versionNumber = release;
    return true;
}

bool HidrawPlatform::getReportDescriptor(HidHandle handle, std::vector<std::uint8_t>& descriptor) {
    int size = 0;
    if (findOpen(handle) == nullptr || ::ioctl(fdOf(handle), HIDIOCGRDESCSIZE, &size) < 0 || size < 0 ||
        size > HID_MAX_DESCRIPTOR_SIZE) {
        return false;
    }
    hidraw_report_descriptor raw{};
    raw.size = static_cast<__u32>(size);
    if (::ioctl(fdOf(handle), HIDIOCGRDESC, &raw) < 0) {
        return false;
    }
    descriptor.assign(raw.value, raw.value + size);
    return true;
}

bool HidrawPlatform::exchangeAllowed(HidHandle handle, const std::uint8_t* frame, std::int16_t length) {
    const OpenNode* node = findOpen(handle);
    return node != nullptr && !node->gone && frame != nullptr && length >= MinFrameLength && length <= MaxFrameLength;
}

bool HidrawPlatform::exchangeDone(HidHandle handle, int moved, std::int16_t length) {
    if (moved < 0 && errno == ENODEV) {
        findOpen(handle)->gone = true;
    }
    return moved == length;
}

bool HidrawPlatform::getFeature(HidHandle handle, std::uint8_t* frame, std::int16_t length) {
    if (!exchangeAllowed(handle, frame, length)) {
        return false;
    }
    const std::uint8_t reportId = frame[0];
    const auto size = static_cast<unsigned>(length);
    const int moved = retryInterrupted([&] { return ::ioctl(fdOf(handle), HIDIOCGFEATURE(size), frame); });
    // A report with another id in front is not the one asked for.
    return exchangeDone(handle, moved, length) && frame[0] == reportId;
}

bool HidrawPlatform::setFeature(HidHandle handle, const std::uint8_t* frame, std::int16_t length) {
    if (!exchangeAllowed(handle, frame, length)) {
        return false;
    }
    const auto size = static_cast<unsigned>(length);
    const int moved = retryInterrupted([&] { return ::ioctl(fdOf(handle), HIDIOCSFEATURE(size), frame); });
    return exchangeDone(handle, moved, length);
}

DeviceLockResult HidrawPlatform::lockDevice(HidHandle handle, std::chrono::milliseconds wait) {
    if (findOpen(handle) == nullptr) return DeviceLockResult::Failed;
    return waitForExclusiveFlock(fdOf(handle), wait);
}

void HidrawPlatform::unlockDevice(HidHandle handle) {
    // An exclusive open keeps its lock until the handle is closed.
    const OpenNode* node = findOpen(handle);
    if (node != nullptr && !node->exclusive) ::flock(fdOf(handle), LOCK_UN);
}

bool HidrawPlatform::deviceGone(HidHandle handle) const {
    const auto found = open_.find(handle);
    return found != open_.end() && found->second.gone;
}

}  // namespace grayden
