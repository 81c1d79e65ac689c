#pragma once

#include <string>

namespace grayden {

// The per-user single-instance lock: an exclusive flock on a file in the user's runtime
// folder. The kernel drops it when the process ends, however it ends, so a lock left by a
// killed editor blocks nothing.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    // The lock is held until the process ends; it is never released explicitly.
    ~InstanceLock() = default;

    Result acquire(const std::string& name);

    // $XDG_RUNTIME_DIR, or a per-user name in the temporary folder when it is not set.
    static std::string lockPath(const std::string& name);

private:
    int fd_ = -1;
};

}  // namespace grayden
