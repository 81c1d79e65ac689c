#pragma once

#include <string>

namespace grayden {

// Serialises changes to one state file among every process that uses it (the editor and any
// number of graydenctl runs). The lock is an flock on the folder that holds the file, not on
// the file: a save renames a new file over the old one, so a lock on the old file's inode would
// not be seen by a process that opened the file after the rename. It is taken for one change
// at a time; a whole table transfer holds a lock of its own on "<state>.lock" (see
// SimulatedMonitorPlatform::lockDevice), so the two never nest. The kernel drops the lock when
// its holder ends.
class SimulatedMonitorStateLock {
public:
    SimulatedMonitorStateLock() = default;
    SimulatedMonitorStateLock(const SimulatedMonitorStateLock&) = delete;
    SimulatedMonitorStateLock& operator=(const SimulatedMonitorStateLock&) = delete;
    ~SimulatedMonitorStateLock();

    // Waits until no other process holds the lock of this state file; false, with the reason in
    // error, when the folder cannot be opened or locked.
    bool acquire(const std::string& statePath, std::string& error);

private:
    int folder_ = -1;
};

}  // namespace grayden
