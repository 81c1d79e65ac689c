#pragma once

#include <string>

namespace grayden {

// The per-user single-instance lock: an exclusive flock on a file in a folder only this user
// can write to. The kernel drops it when the process ends, however it ends, so a lock left by
// a killed editor blocks nothing.
class InstanceLock {
public:
    // UnsafeFolder: the fallback folder exists but is not a private folder of this user (another
    // user's, a symbolic link, or open to others), so it cannot be trusted to hold the lock.
    enum class Result { Acquired, HeldElsewhere, Failed, UnsafeFolder };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    // The lock is held until the process ends; it is never released explicitly.
    ~InstanceLock() = default;

    Result acquire(const std::string& name);
    // The errno of the last Failed acquire.
    int error() const { return error_; }

    // $XDG_RUNTIME_DIR, or else grayden-<uid> in the temporary folder ($TMPDIR or /tmp), which
    // acquire creates with mode 0700.
    static std::string lockFolder();
    static std::string lockPath(const std::string& name);

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace grayden
