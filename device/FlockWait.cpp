#include "device/FlockWait.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace grayden {

namespace {

// Short next to a table transfer, so a waiter starts soon after the holder lets go.
constexpr std::chrono::milliseconds PollInterval{5};

}  // namespace

DeviceLockResult waitForExclusiveFlock(int fd, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return DeviceLockResult::Failed;
        if (std::chrono::steady_clock::now() >= deadline) return DeviceLockResult::Busy;
        std::this_thread::sleep_for(PollInterval);
    }
    return DeviceLockResult::Held;
}

OwnedFd& OwnedFd::operator=(OwnedFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

OwnedFd::~OwnedFd() {
    if (fd_ >= 0) ::close(fd_);
}

int OwnedFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

}  // namespace grayden
