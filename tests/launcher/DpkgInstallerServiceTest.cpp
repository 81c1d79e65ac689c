// The installer service against a real dpkg database in a temporary root, with a tiny package
// that carries a product code, and a stand-in pkexec on PATH that answers as the user would.
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

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
        const QString path = bin + "/pkexec";
        writeText(path.toStdString(),
                  exitCode == 0 ? "#!/bin/sh\nexec \"$@\"\n" : "#!/bin/sh\nexit " + std::to_string(exitCode) + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
    EXPECT_EQ(installer.installedPackage(ProductCode), PackageName);
    EXPECT_EQ(installer.installedPackage("{00000000-0000-0000-0000-000000000000}"), "");
}

TEST_F(DpkgRoot, NothingIsInstalledInAnEmptyDatabase) { EXPECT_EQ(service().installedPackage(ProductCode), ""); }

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
        if (service().installedPackage(ProductCode).isEmpty()) installProbe(ProductCode);
        fakePkexec(c.pkexecExit);
        DpkgInstallerService installer = service();
        ASSERT_TRUE(installer.toolsAvailable());
        EXPECT_EQ(installer.removePackage(PackageName), c.result);
        // Removed but not purged, the package keeps its product code in state "rc".
        EXPECT_EQ(!installer.installedPackage(ProductCode).isEmpty(), c.stillInstalled);
    }
}

TEST_F(DpkgRoot, MissingToolsAreNoticed) {
    DpkgCommands commands;
    commands.removal = {"grayden-no-such-pkexec", "dpkg"};
    EXPECT_FALSE(DpkgInstallerService(commands).toolsAvailable());
    EXPECT_TRUE(DpkgInstallerService(commands).canInstallPackages());
    commands.query = {"grayden-no-such-dpkg-query"};
    EXPECT_FALSE(DpkgInstallerService(commands).canInstallPackages());
    EXPECT_EQ(DpkgInstallerService(commands).installedPackage(ProductCode), "");
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
