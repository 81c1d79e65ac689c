#include "editor/app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

namespace grayden {

namespace {

std::string runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && *runtime && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return runtime;
    return {};
}

std::string fileNameFor(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (c == '/') c = '_';
    }
    return safe + ".lock";
}

}  // namespace

std::string InstanceLock::lockFolder() {
    if (std::string runtime = runtimeFolder(); !runtime.empty()) return runtime;
    const char* temp = std::getenv("TMPDIR");
    const std::string root = temp && *temp == '/' ? temp : "/tmp";
    return root + "/grayden-" + std::to_string(::geteuid());
}

std::string InstanceLock::lockPath(const std::string& name) { return lockFolder() + "/" + fileNameFor(name); }

InstanceLock::Result InstanceLock::acquire(const std::string& name) {
    if (name.empty()) return Result::Failed;
    const std::string folder = lockFolder();
    const bool shared = runtimeFolder().empty();
    // In a folder everyone may write to, another user could create the name first.
    if (shared && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error_ = errno;
        return Result::Failed;
    }
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        error_ = errno;
        return shared && (errno == ELOOP || errno == ENOTDIR) ? Result::UnsafeFolder : Result::Failed;
    }
    struct stat info {};
    if (shared && (::fstat(dir, &info) != 0 || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)) {
        ::close(dir);
        return Result::UnsafeFolder;
    }
    const int fd = ::openat(dir, fileNameFor(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) error_ = errno;
    ::close(dir);
    if (fd < 0) return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error_ = errno;
        ::close(fd);
        return error_ == EWOULDBLOCK ? Result::HeldElsewhere : Result::Failed;
    }
    fd_ = fd;
    return Result::Acquired;
}

}  // namespace grayden
