#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "editor/InstanceLock.h"

namespace grayden {
namespace {

std::string uniqueName(const char* what) { return std::string("grayden-lock-test-") + what + "-" + std::to_string(::getpid()); }

// Runs acquire in a child process and returns what it got, as the child's exit status.
int acquireInChild(const std::string& name) {
    const pid_t child = ::fork();
    if (child == 0) {
        InstanceLock lock;
        ::_exit(static_cast<int>(lock.acquire(name)));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstanceLock, ASecondHolderIsRefusedInThisAndInAnotherProcess) {
    const std::string name = uniqueName("second");
    InstanceLock first;
    ASSERT_EQ(first.acquire(name), InstanceLock::Result::Acquired);
    InstanceLock second;
    EXPECT_EQ(second.acquire(name), InstanceLock::Result::HeldElsewhere);
    EXPECT_EQ(acquireInChild(name), static_cast<int>(InstanceLock::Result::HeldElsewhere));
}

TEST(InstanceLock, ALockLeftByAKilledProcessBlocksNothing) {
    const std::string name = uniqueName("killed");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        InstanceLock lock;
        const char got = lock.acquire(name) == InstanceLock::Result::Acquired ? 'y' : 'n';
        (void)!::write(ready[1], &got, 1);
        ::pause();
        ::_exit(0);
    }
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1);
    ASSERT_EQ(got, 'y');
    EXPECT_EQ(acquireInChild(name), static_cast<int>(InstanceLock::Result::HeldElsewhere));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    InstanceLock after;
    EXPECT_EQ(after.acquire(name), InstanceLock::Result::Acquired);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(InstanceLock, TheLockLivesInTheUsersRuntimeFolder) {
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceLock::lockPath("Grayden by KOVA VALEN CORPORATION"),
              runtime + "/Grayden by KOVA VALEN CORPORATION.lock");
    EXPECT_EQ(InstanceLock::lockPath("a/b"), runtime + "/a_b.lock");
}

}  // namespace
}  // namespace grayden
