#include "editor/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace grayden {

std::string InstanceLock::lockPath(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (c == '/') c = '_';
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && *runtime && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) {
        return std::string(runtime) + "/" + safe + ".lock";
    }
    return "/tmp/" + safe + "-" + std::to_string(::getuid()) + ".lock";
}

InstanceLock::Result InstanceLock::acquire(const std::string& name) {
    if (name.empty()) return Result::Failed;
    const int fd = ::open(lockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Failed;
    }
    fd_ = fd;
    return Result::Acquired;
}

}  // namespace grayden
