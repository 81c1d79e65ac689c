#include "device/simulated/SimulatedMonitorStateLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "device/simulated/SimulatedMonitorState.h"

namespace grayden {

SimulatedMonitorStateLock::~SimulatedMonitorStateLock() {
    if (folder_ >= 0) ::close(folder_);
}

bool SimulatedMonitorStateLock::acquire(const std::string& statePath, std::string& error) {
    // The folder of the file the path leads to, so every link to one state file shares its lock.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::weakly_canonical(statePath, ec).parent_path();
    if (ec || folder.empty()) folder = std::filesystem::path(statePath).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int failure = fd < 0 ? errno : 0;
    while (failure == 0 && ::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) failure = errno;
    }
    if (failure != 0) {
        if (fd >= 0) ::close(fd);
        error = "simulator state file " + quotedForMessage(statePath) +
                ": its folder cannot be locked: " + std::strerror(failure);
        return false;
    }
    if (folder_ >= 0) ::close(folder_);
    folder_ = fd;
    return true;
}

}  // namespace grayden
