#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <optional>

#include <filesystem>

#include <gtest/gtest.h>

#include "editor/app/InstanceLock.h"

namespace grayden {
namespace {

std::string uniqueName(const char* what) {
    return std::string("grayden-lock-test-") + what + "-" + std::to_string(::getpid());
}

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

// Without XDG_RUNTIME_DIR, with the temporary folder moved to a fresh sticky, world-writable
// folder like /tmp, where another user may create names too.
class SharedTempFolder : public ::testing::Test {
protected:
    SharedTempFolder() {
        char pattern[] = "/tmp/grayden-shared-XXXXXX";
        root = ::mkdtemp(pattern);
        ::chmod(root.c_str(), 01777);
        saveAndSet("XDG_RUNTIME_DIR", std::nullopt);
        saveAndSet("TMPDIR", root);
    }
    ~SharedTempFolder() override {
        for (auto& [name, value] : saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    void saveAndSet(const std::string& name, std::optional<std::string> value) {
        const char* old = std::getenv(name.c_str());
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }

    std::string folder() const { return root + "/grayden-" + std::to_string(::geteuid()); }

    std::string root;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

constexpr uid_t Nobody = 65534;

// Runs work as user 65534 in a child that then stays alive, holding whatever it opened, until
// killed; returns the child once work has finished, or -1 when it could not become that user.
pid_t asAnotherUser(const std::function<bool()>& work) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0 && work();
        const char done = ok ? 'y' : 'n';
        (void)!::write(ready[1], &done, 1);
        ::pause();
        ::_exit(0);
    }
    char done = 'n';
    const bool read = ::read(ready[0], &done, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
    if (read && done == 'y') return child;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

void endChild(pid_t child) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST_F(SharedTempFolder, TheFallbackIsAPrivateFolderOfThisUser) {
    const std::string name = uniqueName("fallback");
    EXPECT_EQ(InstanceLock::lockPath(name), folder() + "/" + name + ".lock");
    InstanceLock first;
    ASSERT_EQ(first.acquire(name), InstanceLock::Result::Acquired);
    struct stat info {};
    ASSERT_EQ(::lstat(folder().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
    InstanceLock second;
    EXPECT_EQ(second.acquire(name), InstanceLock::Result::HeldElsewhere);
    EXPECT_EQ(acquireInChild(name), static_cast<int>(InstanceLock::Result::HeldElsewhere));
}

TEST_F(SharedTempFolder, AFolderThatIsNotPrivatelyOursIsRefused) {
    auto ownFolderWithMode = [&](mode_t mode) {
        std::filesystem::create_directory(folder());
        ::chmod(folder().c_str(), mode);
    };
    const std::string elsewhere = root + "/elsewhere";
    ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"open to others", [&] { ownFolderWithMode(0777); }},
        {"readable by the group", [&] { ownFolderWithMode(0750); }},
        {"a symbolic link to a private folder", [&] { (void)!::symlink(elsewhere.c_str(), folder().c_str()); }},
        {"a dangling symbolic link", [&] { (void)!::symlink((root + "/none").c_str(), folder().c_str()); }},
        {"a regular file", [&] { ::close(::open(folder().c_str(), O_CREAT | O_WRONLY, 0600)); }},
    };
    for (const auto& [what, make] : cases) {
        std::filesystem::remove_all(folder());
        make();
        InstanceLock lock;
        EXPECT_EQ(lock.acquire(uniqueName("unsafe")), InstanceLock::Result::UnsafeFolder) << what;
    }
}

TEST_F(SharedTempFolder, AnotherUserTakingTheNamesFirstNeitherBlocksNorFoolsUs) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const std::string name = uniqueName("other-user");
    // The name a lock in the shared folder itself would have, taken and held by another user.
    const std::string sharedName = "/tmp/" + name + "-" + std::to_string(::geteuid()) + ".lock";
    const pid_t holder = asAnotherUser([&] {
        const int fd = ::open(sharedName.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
        return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
    ASSERT_GT(holder, 0);
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(name), InstanceLock::Result::Acquired) << "another user's lock is not our editor";
    endChild(holder);
    ::unlink(sharedName.c_str());

    // The user's own folder, created first by another user, is never trusted.
    const std::string folderName = folder();
    std::filesystem::remove_all(folderName);
    const pid_t squatter = asAnotherUser([&] { return ::mkdir(folderName.c_str(), 0700) == 0; });
    ASSERT_GT(squatter, 0);
    InstanceLock refused;
    EXPECT_EQ(refused.acquire(uniqueName("squatted")), InstanceLock::Result::UnsafeFolder);
    endChild(squatter);
}

}  // namespace
}  // namespace grayden
