// The installer service against a real dpkg database in a temporary root, with a tiny package
// that carries a product code, and a stand-in pkexec on PATH that answers as the user would, or
// hangs over its prompt.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>
#include <optional>

#include "launcher/DpkgInstallerService.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::TempDir;
using testing::writeText;

const QString ProductCode = "{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}";
const QString PackageName = "grayden-probe";

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Runs the event loop until the service's answer has come, within a bound.
template <typename Answer>
std::optional<Answer> awaitAnswer(std::optional<Answer>& answer, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!answer && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return answer;
}

QString installedPackage(InstallerService& installer, const QString& productCode) {
    std::optional<QString> answer;
    installer.findInstalledPackage(productCode, [&](const QString& package) { answer = package; });
    return awaitAnswer(answer).value_or("<no answer>");
}

std::optional<RemovalResult> removePackage(InstallerService& installer, const QString& package) {
    std::optional<RemovalResult> answer;
    installer.removePackage(package, [&](RemovalResult result) { answer = result; });
    return awaitAnswer(answer);
}

// A package root with its own dpkg database and a bin folder that goes first on PATH.
class DpkgRoot : public ::testing::Test {
protected:
    void SetUp() override {
        root = QString::fromStdString(dir.file("root"));
        bin = QString::fromStdString(dir.file("bin"));
        QDir().mkpath(root + "/var/lib/dpkg/info");
        QDir().mkpath(root + "/var/lib/dpkg/updates");
        QDir().mkpath(bin);
        writeText((root + "/var/lib/dpkg/status").toStdString(), "");
        oldPath = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ":" + oldPath);
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    QStringList rootOptions() const {
        return {"--root=" + root, "--force-not-root", "--force-script-chrootless", "--log=/dev/null"};
    }

    // Builds and installs the probe package; a conffile makes a removed package stay listed.
    void installProbe(const QString& productCode) {
        const QString tree = QString::fromStdString(dir.file("tree"));
        QDir().mkpath(tree + "/DEBIAN");
        QDir().mkpath(tree + "/etc");
        writeText((tree + "/etc/grayden-probe.conf").toStdString(), "probe\n");
        writeText((tree + "/DEBIAN/conffiles").toStdString(), "/etc/grayden-probe.conf\n");
        writeText((tree + "/DEBIAN/control").toStdString(),
                  "Package: grayden-probe\nVersion: 1.0\nArchitecture: all\nMaintainer: Tests <tests@localhost>\n"
                  "Description: product-code probe\nProduct-Code: " +
                      productCode.toStdString() + "\n");
        const QString deb = QString::fromStdString(dir.file("probe.deb"));
        ASSERT_TRUE(run("dpkg-deb", {"--root-owner-group", "-b", tree, deb}));
        ASSERT_TRUE(run("dpkg", rootOptions() << "-i" << deb));
    }

    // pkexec that answers `exitCode`, or runs the command like an authorised pkexec for 0.
    void fakePkexec(int exitCode) {
        fakeTool("pkexec", exitCode == 0 ? "exec \"$@\"" : "exit " + std::to_string(exitCode));
    }
    void fakeTool(const QString& name, const std::string& script) {
        writeText((bin + "/" + name).toStdString(), "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(bin + "/" + name, QFile::ReadOwner | QFile::ExeOwner);
    }

    DpkgInstallerService service() const {
        DpkgCommands commands;
        commands.query = {"dpkg-query", "--admindir=" + root + "/var/lib/dpkg"};
        commands.removal = QStringList{"pkexec", "dpkg"} + rootOptions();
        return DpkgInstallerService(commands);
    }

    TempDir dir;
    QString root;
    QString bin;
    QByteArray oldPath;
};

TEST_F(DpkgRoot, FindsTheInstalledPackageByItsProductCodeOnly) {
    installProbe(ProductCode);
    DpkgInstallerService installer = service();
    EXPECT_EQ(installedPackage(installer, ProductCode), PackageName);
    EXPECT_EQ(installedPackage(installer, "{00000000-0000-0000-0000-000000000000}"), "");
}

TEST_F(DpkgRoot, NothingIsInstalledInAnEmptyDatabase) {
    DpkgInstallerService installer = service();
    EXPECT_EQ(installedPackage(installer, ProductCode), "");
}

TEST_F(DpkgRoot, RemovalAnswersByWhatPkexecSays) {
    struct Case {
        int pkexecExit;
        RemovalResult result;
        bool stillInstalled;
    };
    // 126: the user dismissed the authentication dialog; 127: not authorised or no agent.
    for (const Case c : {Case{126, RemovalResult::Cancelled, true}, Case{127, RemovalResult::Failed, true},
                         Case{0, RemovalResult::Removed, false}}) {
        SCOPED_TRACE(c.pkexecExit);
        DpkgInstallerService installer = service();
        if (installedPackage(installer, ProductCode).isEmpty()) installProbe(ProductCode);
        fakePkexec(c.pkexecExit);
        ASSERT_TRUE(installer.canRemovePackages());
        EXPECT_EQ(removePackage(installer, PackageName), c.result);
        EXPECT_FALSE(installer.toolRunning());
        // Removed but not purged, the package keeps its product code in state "rc".
        EXPECT_EQ(!installedPackage(installer, ProductCode).isEmpty(), c.stillInstalled);
    }
}

TEST_F(DpkgRoot, MissingToolsAreNoticed) {
    DpkgCommands commands;
    commands.removal = {"grayden-no-such-pkexec", "dpkg"};
    commands.query = {"grayden-no-such-dpkg-query"};
    DpkgInstallerService installer(commands);
    EXPECT_FALSE(installer.canRemovePackages());
    EXPECT_FALSE(installer.canInstallPackages());
    EXPECT_EQ(installedPackage(installer, ProductCode), "");
    EXPECT_EQ(removePackage(installer, PackageName), RemovalResult::Failed);
    EXPECT_TRUE(DpkgInstallerService().canInstallPackages());
}

TEST_F(DpkgRoot, AQueryThatHangsIsKilledAtItsDeadline) {
    fakeTool("dpkg-query", "exec sleep 30");
    DpkgInstallerService installer(DpkgCommands{.queryTimeoutMs = 300});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(installedPackage(installer, ProductCode), "");
    EXPECT_LT(clock.elapsed(), 5000);
}

// Closing the launcher over a pkexec prompt: SIGTERM ends it, as closing the prompt would; one
// that has become dpkg as root cannot be signalled and is left to finish, without a wait.
TEST_F(DpkgRoot, AHangingRemovalIsEndedWithoutWaitingForIt) {
    const std::string signalled = dir.file("signalled");
    const std::string endsOnSignal = "trap 'echo TERM > " + signalled + "; exit 1' TERM\nsleep 5 & wait";
    for (const std::string& script : {endsOnSignal, std::string("trap '' TERM\nsleep 3")}) {
        SCOPED_TRACE(script);
        fakeTool("pkexec", script);
        DpkgInstallerService installer = service();
        std::optional<RemovalResult> answer;
        installer.removePackage(PackageName, [&](RemovalResult result) { answer = result; });
        // The script has set its trap.
        awaitAnswer(answer, 300);
        ASSERT_TRUE(installer.toolRunning());
        QElapsedTimer clock;
        clock.start();
        installer.endRunningTool();
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_FALSE(installer.toolRunning());
        awaitAnswer(answer, 300);
        EXPECT_FALSE(answer.has_value());
        if (script == endsOnSignal) {
            EXPECT_EQ(testing::readText(signalled), "TERM\n");
        }
    }
}

TEST(DpkgCommandsForTheUser, NameThePackageAsTheShellReadsIt) {
    EXPECT_EQ(DpkgInstallerService().removalCommand("grayden"), "sudo apt remove grayden");
    EXPECT_EQ(DpkgInstallerService().installCommand("/media/KOVA Disc/it's.deb"),
              "sudo apt install '/media/KOVA Disc/it'\\''s.deb'");
    EXPECT_EQ(shellQuoted("/media/cdrom/Installer/grayden.deb"), "/media/cdrom/Installer/grayden.deb");
}

TEST(DpkgQueryOutput, OnlyAnInstalledPackageWithTheExactCodeCounts) {
    const QString code = ProductCode;
    struct Case {
        const char* output;
        const char* package;
    };
    const Case cases[] = {
        {"grayden\tii \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}\n", "grayden"},
        {"other\tii \t\ngrayden\tii \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}\n", "grayden"},
        {"grayden\trc \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}\n", ""},
        {"grayden\tiU \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}\n", ""},
        {"grayden\tii \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F5}\n", ""},
        {"grayden\tii \t{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}x\n", ""},
        {"grayden ii {5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(installedPackageIn(c.output, code), c.package) << c.output;
}

}  // namespace
}  // namespace grayden
