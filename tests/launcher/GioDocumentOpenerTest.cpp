// Opening documents through GIO against temporary XDG data and configuration folders. GLib reads
// the XDG variables once per process, so each case runs in a child with its own folders.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

#include "launcher/GioDocumentOpener.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

namespace grayden {
namespace {

using testing::readText;
using testing::TempDir;
using testing::writeText;

// A minimal Debian package archive, enough for the type to be recognised by its content.
const std::string DebContent = "!<arch>\ndebian-binary   0           0     0     100644  4         `\n2.0\n";
const std::string HtmlContent = "<!DOCTYPE html>\n<html><body>manual</body></html>\n";

enum class Handler { None, ForHtml, ForDebAlias };
enum class Reader { Owner, Unprivileged };
enum class Action { Open, Check };

// Folders of a desktop with no programs but those a case installs; the type database is the
// system's own.
class Desktop {
public:
    explicit Desktop(Handler handler) {
        namespace fs = std::filesystem;
        fs::create_directories(dir.path() / "data/applications");
        fs::create_directories(dir.path() / "config");
        fs::create_directories(dir.path() / "system");
        fs::create_symlink("/usr/share/mime", dir.path() / "system/mime");
        if (handler == Handler::None) return;
        // The handler notes the file it was given, so the test sees that it really ran.
        writeText(dir.file("handler.sh"), "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened() + ".tmp\" && mv \"" +
                                              opened() + ".tmp\" \"" + opened() + "\"\n");
        fs::permissions(dir.file("handler.sh"), fs::perms::owner_all);
        const std::string type = handler == Handler::ForHtml ? "text/html" : "application/x-deb";
        writeText(dir.file("data/applications/probe-handler.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Probe\nExec=" + dir.file("handler.sh") +
                      " %f\nMimeType=" + type + ";\n");
        writeText(dir.file("config/mimeapps.list"), "[Default Applications]\n" + type + "=probe-handler.desktop\n");
    }

    std::string file(const std::string& name) const { return dir.file(name); }
    std::string opened() const { return dir.file("opened"); }

    // Opens the path in a child process that sees only these folders.
    OpenResult openInChild(const std::string& path, Reader reader, Action action = Action::Open) const {
        int fds[2];
        if (::pipe(fds) != 0) return OpenResult::Failed;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
            ::setenv("XDG_DATA_DIRS", dir.file("system").c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
            ::setenv("XDG_CONFIG_DIRS", dir.file("config").c_str(), 1);
            ::setenv("HOME", dir.path().c_str(), 1);
            // No session bus or display to announce the launch to.
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            ::unsetenv("XDG_RUNTIME_DIR");
            int answer = -1;
            if (reader == Reader::Owner || testing::becomeUnprivileged()) {
                const QString document = QString::fromStdString(path);
                GioDocumentOpener opener;
                answer = static_cast<int>(action == Action::Open ? opener.openDocument(document)
                                                                 : opener.checkDocument(document));
            }
            (void)!::write(fds[1], &answer, sizeof answer);
            ::_exit(0);
        }
        ::close(fds[1]);
        int answer = -1;
        if (::read(fds[0], &answer, sizeof answer) != sizeof answer) answer = -1;
        ::close(fds[0]);
        ::waitpid(pid, nullptr, 0);
        return answer < 0 ? OpenResult::Failed : static_cast<OpenResult>(answer);
    }

    // What the handler was given, once it has run; empty if it has not within a few seconds.
    std::string handedOver() const {
        const QDeadlineTimer deadline(10000);
        while (!std::filesystem::exists(opened()) && !deadline.hasExpired()) QThread::msleep(20);
        return readText(opened());
    }

    TempDir dir;
};

TEST(GioDocumentOpener, HandsTheDocumentToTheDefaultHandlerOfItsType) {
    struct Case {
        Handler handler;
        const char* name;
        const std::string& content;
    };
    // A package handler that declares only the alias application/x-deb still serves the
    // canonical type application/vnd.debian.binary-package.
    for (const Case& c :
         {Case{Handler::ForHtml, "Manual.html", HtmlContent}, Case{Handler::ForDebAlias, "grayden.deb", DebContent}}) {
        SCOPED_TRACE(c.name);
        Desktop desktop(c.handler);
        writeText(desktop.file(c.name), c.content);
        EXPECT_EQ(desktop.openInChild(desktop.file(c.name), Reader::Owner), OpenResult::Opened);
        EXPECT_EQ(desktop.handedOver(), desktop.file(c.name));
    }
}

TEST(GioDocumentOpener, TellsWhyADocumentCannotBeOpened) {
    Desktop withHandler(Handler::ForHtml);
    EXPECT_EQ(withHandler.openInChild(withHandler.file("Missing.html"), Reader::Owner), OpenResult::FileNotFound);
    // A handler for another type is no handler for this one.
    writeText(withHandler.file("grayden.deb"), DebContent);
    EXPECT_EQ(withHandler.openInChild(withHandler.file("grayden.deb"), Reader::Owner), OpenResult::NoAssociation);

    // A check finds the handler but starts nothing.
    Desktop packages(Handler::ForDebAlias);
    writeText(packages.file("grayden.deb"), DebContent);
    EXPECT_EQ(packages.openInChild(packages.file("grayden.deb"), Reader::Owner, Action::Check), OpenResult::Opened);
    QThread::msleep(300);
    EXPECT_FALSE(std::filesystem::exists(packages.opened()));

    Desktop bare(Handler::None);
    writeText(bare.file("Manual.html"), HtmlContent);
    EXPECT_EQ(bare.openInChild(bare.file("Manual.html"), Reader::Owner), OpenResult::NoAssociation);
    EXPECT_FALSE(std::filesystem::exists(withHandler.opened()));
}

TEST(GioDocumentOpener, AnUnreadableDocumentIsRefusedBeforeAnyHandlerStarts) {
    Desktop desktop(Handler::ForHtml);
    namespace fs = std::filesystem;
    // The unprivileged reader may enter the folder but not read the file.
    fs::permissions(desktop.dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    writeText(desktop.file("Manual.html"), HtmlContent);
    fs::permissions(desktop.file("Manual.html"), fs::perms::none);
    EXPECT_EQ(desktop.openInChild(desktop.file("Manual.html"), Reader::Unprivileged), OpenResult::AccessDenied);
    EXPECT_FALSE(fs::exists(desktop.opened()));
}

}  // namespace
}  // namespace grayden
