#pragma once

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

namespace grayden::testing {

// The unprivileged account the permission cases run as when the tests run as root (as in CI):
// the rules must hold for a user who really lacks the rights.
constexpr uid_t Nobody = 65534;
constexpr gid_t NobodyGroup = 65534;

inline bool isRoot() { return ::geteuid() == 0; }

// In a forked child: becomes the unprivileged account when root, and stays as it is otherwise.
// False when dropping the rights failed.
inline bool becomeUnprivileged() {
    return !isRoot() || (::setgroups(0, nullptr) == 0 && ::setresgid(NobodyGroup, NobodyGroup, NobodyGroup) == 0 &&
                         ::setresuid(Nobody, Nobody, Nobody) == 0);
}

}  // namespace grayden::testing
