#pragma once

#include <chrono>

#include "device/hid/HidPlatform.h"

namespace grayden {

// Takes an exclusive flock on fd, trying again while another open file holds it until wait has
// passed: flock itself has no timeout, and a caller that waits must not wait forever.
DeviceLockResult waitForExclusiveFlock(int fd, std::chrono::milliseconds wait);

// A file descriptor closed with its owner, which also drops any flock taken through it.
class OwnedFd {
public:
    explicit OwnedFd(int fd = -1) : fd_(fd) {}
    OwnedFd(OwnedFd&& other) noexcept : fd_(other.release()) {}
    OwnedFd& operator=(OwnedFd&& other) noexcept;
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    ~OwnedFd();

    int get() const { return fd_; }
    int release();

private:
    int fd_;
};

}  // namespace grayden
