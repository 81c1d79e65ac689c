#include "launcher/DpkgInstallerService.h"

#include <QProcess>
#include <QStandardPaths>

namespace grayden {

namespace {

constexpr int QueryTimeoutMs = 60000;
constexpr int DismissedExitCode = 126;

bool hasProgram(const QStringList& command) {
    return !command.isEmpty() && !QStandardPaths::findExecutable(command.first()).isEmpty();
}

}  // namespace

DpkgInstallerService::DpkgInstallerService(DpkgCommands commands) : commands_(std::move(commands)) {}

bool DpkgInstallerService::canInstallPackages() const { return hasProgram(commands_.query); }

bool DpkgInstallerService::toolsAvailable() const {
    return hasProgram(commands_.query) && hasProgram(commands_.removal);
}

QString installedPackageIn(const QString& queryOutput, const QString& productCode) {
    for (const QString& line : queryOutput.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields.size() != 3) continue;
        // "ii" is wanted and installed; a removed package keeps its fields in state "rc" or "un".
        if (fields[1].trimmed() == "ii" && fields[2].trimmed() == productCode) return fields[0].trimmed();
    }
    return {};
}

QString DpkgInstallerService::installedPackage(const QString& productCode) {
    if (!hasProgram(commands_.query)) return {};
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.setStandardInputFile(QProcess::nullDevice());
    QStringList arguments = commands_.query.mid(1);
    arguments << "-W"
              << "-f=${Package}\\t${db:Status-Abbrev}\\t${Product-Code}\\n";
    query.start(commands_.query.first(), arguments);
    if (!query.waitForFinished(QueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    // The exit status says nothing about our package: every listed package has a state.
    if (query.exitStatus() != QProcess::NormalExit) return {};
    return installedPackageIn(QString::fromUtf8(query.readAllStandardOutput()), productCode);
}

RemovalResult DpkgInstallerService::removePackage(const QString& package) {
    if (!hasProgram(commands_.removal)) return RemovalResult::Failed;
    QProcess removal;
    removal.setStandardInputFile(QProcess::nullDevice());
    removal.setProcessChannelMode(QProcess::ForwardedChannels);
    removal.start(commands_.removal.first(), commands_.removal.mid(1) << "--remove" << package);
    // The user may take their time over the authentication dialog.
    if (!removal.waitForFinished(-1) || removal.exitStatus() != QProcess::NormalExit) return RemovalResult::Failed;
    if (removal.exitCode() == DismissedExitCode) return RemovalResult::Cancelled;
    return removal.exitCode() == 0 ? RemovalResult::Removed : RemovalResult::Failed;
}

}  // namespace grayden
