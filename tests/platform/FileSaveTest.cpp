#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSave.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

namespace grayden {
namespace {

using testing::becomeUnprivileged;
using testing::isRoot;
using testing::Nobody;
using testing::NobodyGroup;
using testing::readText;
using testing::TempDir;
using testing::writeText;

const std::string OldText = "old contents\n";
const std::string NewText = "new contents,\r\n8160";

struct SaveAnswer {
    bool ok = false;
    int error = 0;
};

// Saves in a child process that first runs setUp (true when it worked), and reports back.
SaveAnswer saveInChild(const std::string& path, const FileSaveOptions& options, const std::function<bool()>& setUp) {
    int fds[2];
    if (::pipe(fds) != 0) return {false, -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        SaveAnswer answer{false, -1};
        ::umask(022);
        if (setUp()) {
            errno = 0;
            answer.ok = saveFile(path, NewText, options);
            answer.error = answer.ok ? 0 : errno;
        }
        (void)!::write(fds[1], &answer, sizeof answer);
        ::_exit(0);
    }
    ::close(fds[1]);
    SaveAnswer answer{false, -1};
    if (::read(fds[0], &answer, sizeof answer) != sizeof answer) answer = {false, -1};
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return answer;
}

// When we are root, the child first becomes the unprivileged user: the permission rules must
// hold for a user who really lacks the rights.
SaveAnswer saveAsUser(const std::string& path, const FileSaveOptions& options = {}) {
    return saveInChild(path, options, becomeUnprivileged);
}

uid_t saverUid() { return isRoot() ? Nobody : ::geteuid(); }
gid_t saverGid() { return isRoot() ? NobodyGroup : ::getegid(); }

enum class Owner { Saver, Root };

// A folder tree the unprivileged saver may enter: "w" is the saver's own folder, "ro" one it
// may only read (owned by root when we are root, else made read-only).
struct Playground {
    TempDir dir;
    std::string w, ro;
    Playground() {
        ::chmod(dir.path().c_str(), 0755);
        w = dir.file("w");
        ro = dir.file("ro");
        ::mkdir(w.c_str(), 0755);
        ::mkdir(ro.c_str(), 0755);
        giveToSaver(w);
    }
    ~Playground() { ::chmod(ro.c_str(), 0755); }
    static void giveToSaver(const std::string& path) {
        if (isRoot()) (void)!::lchown(path.c_str(), Nobody, NobodyGroup);
    }
    std::string file(const std::string& folder, const std::string& name, mode_t mode, Owner owner) const {
        const std::string path = folder + "/" + name;
        writeText(path, OldText);
        ::chmod(path.c_str(), mode);
        if (owner == Owner::Saver) giveToSaver(path);
        return path;
    }
};

enum class Identity { Created, Replaced, Kept };
enum class Preparer { Anyone, Root };
constexpr mode_t NoMode = 0;

struct Row {
    const char* name;
    // Prepares the case; returns the path to save to and sets the file whose result is checked.
    std::function<std::string(Playground&, std::string& checked)> prepare;
    bool saved;
    int error;  // expected errno when refused
    Identity identity;
    const std::string* contents;  // expected at the checked file; null for devices
    mode_t mode;                  // permission bits of the checked file
    Owner owner;
    nlink_t links;
    Preparer preparer;  // a file of another user can only be made by root
};

TEST(FileSave, EveryKindOfTargetAsAnUnprivilegedUser) {
    const Row rows[] = {
        {"missing file is created", [](Playground& p, std::string& c) { return c = p.w + "/new.csv"; }, true, 0,
         Identity::Created, &NewText, 0644, Owner::Saver, 1, Preparer::Anyone},
        {"own single-link file is replaced keeping its mode",
         [](Playground& p, std::string& c) { return c = p.file(p.w, "own.csv", 0640, Owner::Saver); }, true, 0,
         Identity::Replaced, &NewText, 0640, Owner::Saver, 1, Preparer::Anyone},
        {"read-only file of another user is refused and left alone",
         [](Playground& p, std::string& c) { return c = p.file(p.w, "theirs.csv", 0444, Owner::Root); }, false, EACCES,
         Identity::Kept, &OldText, 0444, Owner::Root, 1, Preparer::Root},
        {"read-only own file is refused",
         [](Playground& p, std::string& c) { return c = p.file(p.w, "locked.csv", 0444, Owner::Saver); }, false, EACCES,
         Identity::Kept, &OldText, 0444, Owner::Saver, 1, Preparer::Anyone},
        {"another user's file the saver may write is written in place, keeping the owner",
         [](Playground& p, std::string& c) { return c = p.file(p.w, "shared.csv", 0666, Owner::Root); }, true, 0,
         Identity::Kept, &NewText, 0666, Owner::Root, 1, Preparer::Root},
        {"hard-linked file is written in place, both names see it",
         [](Playground& p, std::string& c) {
             const std::string a = p.file(p.w, "a.csv", 0644, Owner::Saver);
             c = p.w + "/b.csv";
             ::link(a.c_str(), c.c_str());
             return a;
         },
         true, 0, Identity::Kept, &NewText, 0644, Owner::Saver, 2, Preparer::Anyone},
        {"symbolic link is followed, its file replaced",
         [](Playground& p, std::string& c) {
             c = p.file(p.w, "real.csv", 0600, Owner::Saver);
             const std::string link = p.w + "/link.csv";
             ::symlink("real.csv", link.c_str());
             Playground::giveToSaver(link);
             return link;
         },
         true, 0, Identity::Replaced, &NewText, 0600, Owner::Saver, 1, Preparer::Anyone},
        {"dangling symbolic link creates its target",
         [](Playground& p, std::string& c) {
             c = p.w + "/made.csv";
             const std::string link = p.w + "/dangling.csv";
             ::symlink(c.c_str(), link.c_str());
             Playground::giveToSaver(link);
             return link;
         },
         true, 0, Identity::Created, &NewText, 0644, Owner::Saver, 1, Preparer::Anyone},
        {"own file in a read-only folder is written in place",
         [](Playground& p, std::string& c) {
             c = p.file(p.ro, "inside.csv", 0644, Owner::Saver);
             if (!isRoot()) ::chmod(p.ro.c_str(), 0555);
             return c;
         },
         true, 0, Identity::Kept, &NewText, 0644, Owner::Saver, 1, Preparer::Anyone},
        {"missing file in a read-only folder is refused",
         [](Playground& p, std::string& c) {
             if (!isRoot()) ::chmod(p.ro.c_str(), 0555);
             return c = p.ro + "/absent.csv";
         },
         false, EACCES, Identity::Created, nullptr, NoMode, Owner::Saver, 0, Preparer::Anyone},
        {"character device behind a link is written, not replaced",
         [](Playground& p, std::string& c) {
             c = "/dev/null";
             const std::string link = p.w + "/null.csv";
             ::symlink("/dev/null", link.c_str());
             return link;
         },
         true, 0, Identity::Kept, nullptr, 0666, Owner::Root, 1, Preparer::Anyone},
        {"folder is refused", [](Playground& p, std::string& c) { return c = p.w; }, false, EISDIR, Identity::Kept,
         nullptr, 0755, Owner::Saver, 2, Preparer::Anyone},
    };

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.preparer == Preparer::Root && !isRoot()) continue;
        Playground p;
        std::string checked;
        const std::string target = row.prepare(p, checked);
        struct stat before {};
        const bool existed = ::stat(checked.c_str(), &before) == 0;
        struct stat linkBefore {};
        ::lstat(target.c_str(), &linkBefore);

        const SaveAnswer answer = saveAsUser(target);
        EXPECT_EQ(answer.ok, row.saved);
        if (!row.saved) {
            EXPECT_EQ(answer.error, row.error);
        }

        struct stat after {};
        const bool exists = ::stat(checked.c_str(), &after) == 0;
        if (row.identity == Identity::Created && !row.saved) {
            EXPECT_FALSE(exists);
            continue;
        }
        ASSERT_TRUE(exists);
        if (row.contents != nullptr) {
            EXPECT_EQ(readText(checked), *row.contents);
        }
        switch (row.identity) {
        case Identity::Kept: EXPECT_EQ(after.st_ino, before.st_ino); break;
        case Identity::Replaced: EXPECT_NE(after.st_ino, before.st_ino); break;
        case Identity::Created: EXPECT_FALSE(existed); break;
        }
        EXPECT_EQ(after.st_mode & S_IFMT, existed ? before.st_mode & S_IFMT : S_IFREG);
        EXPECT_EQ(after.st_mode & 07777, row.mode);
        EXPECT_EQ(after.st_nlink, row.links);
        if (row.owner == Owner::Saver) {
            EXPECT_EQ(after.st_uid, saverUid());
            EXPECT_EQ(after.st_gid, saverGid());
        } else {
            EXPECT_EQ(after.st_uid, 0u);
        }
        struct stat linkAfter {};
        ::lstat(target.c_str(), &linkAfter);
        EXPECT_EQ(S_ISLNK(linkAfter.st_mode), S_ISLNK(linkBefore.st_mode)) << "a link stays a link";
        // Nothing but the prepared names is left in the folder.
        for (const auto& e : std::filesystem::directory_iterator(p.w)) {
            EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
        }
    }
}

TEST(FileSave, NamedPipesAreWrittenWhenReadAndNeverHang) {
    Playground p;
    const std::string pipe = p.w + "/pipe.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    Playground::giveToSaver(pipe);
    struct stat before {};
    ::stat(pipe.c_str(), &before);

    // A reader that turns up a moment after the save began still gets everything.
    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        received = readText(pipe);
    });
    const SaveAnswer read = saveAsUser(pipe);
    ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));  // frees a reader a failed save left waiting
    reader.join();
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(received, NewText);

    // Nobody reads: the save gives up after the wait instead of blocking forever.
    const SaveAnswer unread = saveAsUser(pipe, FileSaveOptions{std::chrono::milliseconds(30)});
    EXPECT_FALSE(unread.ok);
    EXPECT_EQ(unread.error, ENXIO);

    struct stat after {};
    ASSERT_EQ(::stat(pipe.c_str(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST(FileSave, RootKeepsTheOwnerAndModeOfAnotherUsersFile) {
    if (!isRoot()) GTEST_SKIP() << "only root may save a file owned by another user";
    for (const TemporaryFile kind : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        Playground p;
        const std::string path = p.file(p.w, "theirs.csv", 0640, Owner::Saver);
        struct stat before {};
        ::stat(path.c_str(), &before);
        ASSERT_TRUE(saveFile(path, NewText, FileSaveOptions{std::chrono::milliseconds(0), kind}));
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not written in place";
        EXPECT_EQ(after.st_uid, Nobody);
        EXPECT_EQ(after.st_gid, NobodyGroup);
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(readText(path), NewText);
        int entries = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(p.w)) ++entries;
        EXPECT_EQ(entries, 1) << "no temporary left";
    }
}

// /dev/stdout names whatever the descriptor holds: a pipe gets the contents, and a file
// redirected into keeps its identity.
TEST(FileSave, DescriptorLinksAreWrittenThroughNotReplaced) {
    TempDir dir;
    const std::string redirected = dir.file("out.csv");
    writeText(redirected, OldText);
    struct stat before {};
    ::stat(redirected.c_str(), &before);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);

    const auto saveToStdout = [](int fd) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(fd, STDOUT_FILENO);
            ::_exit(saveFile("/dev/stdout", NewText) ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    EXPECT_TRUE(saveToStdout(pipeFds[1]));
    ::close(pipeFds[1]);
    std::string piped(256, '\0');
    piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(pipeFds[0], piped.data(), piped.size()))));
    ::close(pipeFds[0]);
    EXPECT_EQ(piped, NewText);

    const int fileFd = ::open(redirected.c_str(), O_WRONLY);
    EXPECT_TRUE(saveToStdout(fileFd));
    ::close(fileFd);
    struct stat after {};
    ::stat(redirected.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readText(redirected), NewText);
}

// A saver killed at random moments must never leave a temporary file, and the file always
// holds one complete version. Run in a child that adopts the savers' orphans, so that
// everything a killed saver started has finished before the folder is looked at.
TEST(FileSave, KilledSavesLeaveNoTemporaryAndAWholeFile) {
    TempDir dir;
    const std::string target = dir.file("curve.csv");
    const std::string first(64 * 1024, '1');
    const std::string second(64 * 1024, '2');
    ASSERT_TRUE(saveFile(target, first));

    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t supervisor = ::fork();
    if (supervisor == 0) {
        ::close(report[0]);
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        std::mt19937 random(20260);
        std::string problems;
        for (int round = 0; round < 100 && problems.empty(); ++round) {
            const pid_t saver = ::fork();
            if (saver == 0) {
                for (unsigned i = 0;; ++i) saveFile(target, i % 2 == 0 ? second : first);
            }
            ::usleep(static_cast<useconds_t>(200 + random() % 3000));
            ::kill(saver, SIGKILL);
            while (::waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {}
            for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
                if (e.path() != target) problems += "round " + std::to_string(round) + " left " + e.path().string();
            }
            const std::string now = readText(target);
            if (now != first && now != second) problems += "round " + std::to_string(round) + ": a partial file";
        }
        (void)!::write(report[1], problems.data(), problems.size());
        ::_exit(problems.empty() ? 0 : 1);
    }
    ::close(report[1]);
    std::string problems;
    char buffer[512];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) {
        problems.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(report[0]);
    int status = 0;
    ::waitpid(supervisor, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << problems;
}

// In a child: the kernel kills any process making one of these system calls, so the commit
// helper dies at that step as a kill -9 at that moment would make it.
bool killAtCalls(std::initializer_list<long> calls) {
    std::vector<sock_filter> program{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const long call : calls) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_THREAD));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_DUMPABLE, 0);
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// A commit helper killed before its rename must not report a save that did not happen, nor
// leave its temporary; killed after it, the save did happen.
TEST(FileSave, AKilledCommitHelperIsReportedAndLeavesNothingBehind) {
    struct Case {
        const char* name;
        TemporaryFile kind;
        std::initializer_list<long> calls;
        bool saved;
    };
    const Case cases[] = {
        {"unnamed, killed before its link", TemporaryFile::Unnamed, {SYS_linkat}, false},
        {"unnamed, killed between link and rename", TemporaryFile::Unnamed, {SYS_renameat, SYS_renameat2}, false},
        {"named, killed before its rename", TemporaryFile::Named, {SYS_renameat, SYS_renameat2}, false},
        {"unnamed, killed after its rename", TemporaryFile::Unnamed, {SYS_exit}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("curve.csv");
        writeText(path, OldText);
        const SaveAnswer answer = saveInChild(path, FileSaveOptions{std::chrono::milliseconds(0), c.kind},
                                              [&] { return killAtCalls(c.calls); });
        ASSERT_NE(answer.error, -1) << "the fault could not be set up";
        EXPECT_EQ(answer.ok, c.saved);
        if (!c.saved) {
            EXPECT_EQ(answer.error, EINTR);
        }
        EXPECT_EQ(readText(path), c.saved ? NewText : OldText);
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            EXPECT_EQ(e.path(), path) << "left behind";
        }
    }
}

TEST(FileSave, NamedTemporaryReplacesAndPathsThatLeadNowhereFail) {
    TempDir dir;
    const std::string path = dir.file("keep.csv");
    writeText(path, OldText);
    const std::string loop = dir.file("loop.csv");
    ::symlink("loop.csv", loop.c_str());
    const FileSaveOptions named{std::chrono::milliseconds(0), TemporaryFile::Named};
    for (const TemporaryFile kind : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        const FileSaveOptions options{std::chrono::milliseconds(0), kind};
        EXPECT_FALSE(saveFile(dir.file("no/such/folder/x.csv"), NewText, options));
        EXPECT_EQ(errno, ENOENT);
        EXPECT_FALSE(saveFile(loop, NewText, options));
        EXPECT_EQ(errno, ELOOP);
        EXPECT_FALSE(saveFile("", NewText, options));
    }
    EXPECT_TRUE(saveFile(path, NewText, named));
    EXPECT_EQ(readText(path), NewText);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2) << "only the file and the looping link";
}

}  // namespace
}  // namespace grayden
