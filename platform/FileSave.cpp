#include "platform/FileSave.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <new>
#include <thread>

namespace grayden {

namespace {

using Clock = std::chrono::steady_clock;

// As many hops as the kernel itself follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a path leads to once its symbolic links are followed.
struct Target {
    std::string path;
    bool exists = false;
    bool throughDescriptorLink = false;  // /dev/stdout, /proc/self/fd/N: an open file, not a name
    struct stat st {};
};

bool onProcFs(const std::string& folder) {
    struct statfs fs {};
    return ::statfs(folder.c_str(), &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

bool resolveTarget(const std::string& path, Target& out) {
    std::string current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) return false;
            out = Target{.path = current};
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            out = Target{.path = current, .exists = true, .st = st};
            return true;
        }
        // A descriptor link's text ("pipe:[42]") is no path; only opening the link reaches its file.
        if (onProcFs(folderOf(current))) {
            if (::stat(current.c_str(), &st) != 0) return false;
            out = Target{.path = current, .exists = true, .throughDescriptorLink = true, .st = st};
            return true;
        }
        char text[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), text, sizeof text);
        if (n < 0) return false;
        if (static_cast<std::size_t>(n) == sizeof text) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(text, static_cast<std::size_t>(n));
        current = link.front() == '/' ? link : folderOf(current) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes and reports the close's own failure, which for some file systems is where a write fails.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left > INT_MAX ? INT_MAX : left);
}

bool writeAll(int fd, std::string_view contents, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, remainingMs(deadline));
            if (ready > 0 || (ready < 0 && errno == EINTR)) continue;
            errno = EAGAIN;
            return false;
        }
        if (n == 0) errno = EIO;
        return false;
    }
    return true;
}

bool writeInPlace(const Target& target, std::string_view contents, const FileSaveOptions& options) {
    const Clock::time_point deadline = Clock::now() + options.readerWait;
    // Non-blocking, so a pipe nobody reads fails (ENXIO) instead of hanging; a reader that
    // arrives within the wait still gets the contents.
    Fd fd;
    while (true) {
        fd.reset(::open(target.path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (fd.get() >= 0) break;
        if (errno == EINTR) continue;
        if (errno != ENXIO || !S_ISFIFO(target.st.st_mode) || remainingMs(deadline) == 0) return false;
        std::this_thread::sleep_for(std::min(std::chrono::milliseconds(10), options.readerWait));
    }
    if (!writeAll(fd.get(), contents, deadline)) return false;
    if (S_ISREG(target.st.st_mode) && ::fsync(fd.get()) != 0) return false;
    return fd.close();
}

// A name for a temporary beside the target that no other save is using.
std::string temporaryName(const std::string& name) {
    static std::atomic<unsigned> counter{0};
    const unsigned long mix = static_cast<unsigned long>(Clock::now().time_since_epoch().count()) ^
                              (static_cast<unsigned long>(::getpid()) << 20) ^ counter.fetch_add(1);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%06lx", mix & 0xFFFFFF);
    return "." + name + "." + suffix;
}

// The last step of a replacement: name the temporary, then rename it over the target.
struct CommitJob {
    int fileFd = -1;
    int folderFd = -1;
    bool unnamed = false;
    char procPath[48] = {};
    const char* temporary = nullptr;
    const char* target = nullptr;
    int error = 0;
};

int runCommit(void* arg) {
    CommitJob& job = *static_cast<CommitJob*>(arg);
    if (job.unnamed && ::linkat(AT_FDCWD, job.procPath, job.folderFd, job.temporary, AT_SYMLINK_FOLLOW) != 0 &&
        ::linkat(job.fileFd, "", job.folderFd, job.temporary, AT_EMPTY_PATH) != 0) {
        job.error = errno;
        return 1;
    }
    if (::renameat(job.folderFd, job.temporary, job.folderFd, job.target) != 0) {
        job.error = errno;
        ::unlinkat(job.folderFd, job.temporary, 0);
        return 1;
    }
    return 0;
}

// How far a commit got.
enum class CommitResult {
    Done,
    Failed,  // errno says why
    Died,    // the helper was killed or could not be waited for: only the folder can tell
};

// The link and the rename run in a short-lived helper process sharing our memory, with every
// signal blocked: killing the saver between the two steps cannot leave the named temporary
// behind, because the helper is not the process being killed. It runs inline where a helper
// cannot be started.
CommitResult commitReplacement(CommitJob& job) {
    constexpr std::size_t StackBytes = 64 * 1024;
    const std::unique_ptr<char[]> stack(new (std::nothrow) char[StackBytes]);
    sigset_t all, previous;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    pid_t helper = -1;
    if (stack) {
        // CLONE_VFORK: we resume only once the helper has finished, so job holds its answer.
        helper = ::clone(runCommit, stack.get() + StackBytes, CLONE_VM | CLONE_VFORK | SIGCHLD, &job);
    }
    bool exited = true;
    if (helper > 0) {
        int status = 0;
        pid_t waited = -1;
        while ((waited = ::waitpid(helper, &status, 0)) < 0 && errno == EINTR) {}
        // SIGKILL cannot be blocked: a helper that did not exit may have stopped between its steps.
        exited = waited == helper && WIFEXITED(status);
    } else {
        runCommit(&job);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (!exited) return CommitResult::Died;
    if (job.error != 0) errno = job.error;
    return job.error == 0 ? CommitResult::Done : CommitResult::Failed;
}

// Whether the name in the folder is the very file open at fd.
bool namesFile(int folderFd, const char* name, int fd) {
    struct stat named {
    }, open{};
    return ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

// After a helper died: saved when the target is our file; otherwise our temporary is removed
// and the save fails.
bool settleDeadCommit(const CommitJob& job) {
    if (namesFile(job.folderFd, job.target, job.fileFd)) return true;
    if (namesFile(job.folderFd, job.temporary, job.fileFd)) ::unlinkat(job.folderFd, job.temporary, 0);
    errno = job.error != 0 ? job.error : EINTR;
    return false;
}

enum class ReplaceOutcome { Saved, Failed, WriteInPlace, TryNamed };

ReplaceOutcome replaceFile(const std::string& path, const struct stat* old, std::string_view contents,
                           TemporaryFile kind) {
    const std::string folder = folderOf(path);
    const std::string name = nameOf(path);
    Fd folderFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0) return ReplaceOutcome::Failed;

    Fd file;
    std::string temporary;
    if (kind == TemporaryFile::Unnamed) {
        file.reset(::openat(folderFd.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        // Older kernels and some file systems know no unnamed files.
        if (file.get() < 0) {
            return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? ReplaceOutcome::TryNamed
                                                                             : ReplaceOutcome::Failed;
        }
    } else {
        for (int attempt = 0; attempt < 100 && file.get() < 0; ++attempt) {
            temporary = temporaryName(name);
            file.reset(::openat(folderFd.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file.get() < 0 && errno != EEXIST) return ReplaceOutcome::Failed;
        }
        if (file.get() < 0) return ReplaceOutcome::Failed;
    }
    const auto discard = [&](ReplaceOutcome outcome) {
        const int saved = errno;
        if (!temporary.empty()) ::unlinkat(folderFd.get(), temporary.c_str(), 0);
        errno = saved;
        return outcome;
    };

    if (old != nullptr) {
        struct stat fresh {};
        if (::fstat(file.get(), &fresh) != 0) return discard(ReplaceOutcome::Failed);
        // A replacement that cannot keep the owner would change whose file it is: write in place.
        if ((fresh.st_uid != old->st_uid || fresh.st_gid != old->st_gid) &&
            ::fchown(file.get(), old->st_uid, old->st_gid) != 0) {
            return discard(ReplaceOutcome::WriteInPlace);
        }
        // After the owner, because changing the owner clears the set-id bits.
        if (::fchmod(file.get(), old->st_mode & 07777) != 0) return discard(ReplaceOutcome::Failed);
    }
    if (!writeAll(file.get(), contents, Clock::now()) || ::fsync(file.get()) != 0) {
        return discard(ReplaceOutcome::Failed);
    }

    for (int attempt = 0; attempt < 100; ++attempt) {
        CommitJob job;
        job.fileFd = file.get();
        job.folderFd = folderFd.get();
        job.unnamed = kind == TemporaryFile::Unnamed;
        std::snprintf(job.procPath, sizeof job.procPath, "/proc/self/fd/%d", file.get());
        if (job.unnamed) temporary = temporaryName(name);
        job.temporary = temporary.c_str();
        job.target = name.c_str();
        const CommitResult result = commitReplacement(job);
        if (result == CommitResult::Died) {
            const bool renamed = settleDeadCommit(job);
            temporary.clear();  // renamed over the target, or removed
            if (!renamed) return ReplaceOutcome::Failed;
        }
        if (result != CommitResult::Failed) {
            temporary.clear();
            return file.close() ? ReplaceOutcome::Saved : ReplaceOutcome::Failed;
        }
        if (!job.unnamed) return discard(ReplaceOutcome::Failed);
        if (errno == EEXIST) continue;  // the temporary name was taken meanwhile
        temporary.clear();
        // No /proc and no right to link by descriptor: stage the contents under a name instead.
        return errno == ENOENT || errno == EPERM || errno == EOPNOTSUPP ? ReplaceOutcome::TryNamed
                                                                        : ReplaceOutcome::Failed;
    }
    return ReplaceOutcome::Failed;
}

// Creates or atomically replaces path; the in-place route is the caller's.
ReplaceOutcome replaceOrCreate(const std::string& path, const struct stat* old, std::string_view contents,
                               TemporaryFile kind) {
    const ReplaceOutcome outcome = replaceFile(path, old, contents, kind);
    if (outcome != ReplaceOutcome::TryNamed) return outcome;
    return replaceFile(path, old, contents, TemporaryFile::Named);
}

}  // namespace

bool saveFile(const std::string& path, std::string_view contents, const FileSaveOptions& options) {
    Target target;
    if (!resolveTarget(path, target)) return false;
    if (nameOf(target.path).empty()) {
        errno = target.exists ? EISDIR : ENOENT;
        return false;
    }
    if (!target.exists) {
        return replaceOrCreate(target.path, nullptr, contents, options.temporary) == ReplaceOutcome::Saved;
    }
    if (S_ISDIR(target.st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (::access(target.path.c_str(), W_OK) != 0) return false;

    const bool keepsIdentity = !target.throughDescriptorLink && S_ISREG(target.st.st_mode) && target.st.st_nlink == 1 &&
                               ::access(folderOf(target.path).c_str(), W_OK | X_OK) == 0;
    if (keepsIdentity) {
        switch (replaceOrCreate(target.path, &target.st, contents, options.temporary)) {
        case ReplaceOutcome::Saved: return true;
        case ReplaceOutcome::WriteInPlace: break;
        case ReplaceOutcome::Failed:
        case ReplaceOutcome::TryNamed: return false;
        }
    }
    return writeInPlace(target, contents, options);
}

}  // namespace grayden
