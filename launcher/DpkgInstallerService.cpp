#include "launcher/DpkgInstallerService.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <vector>

namespace grayden {

namespace {

constexpr int DismissedExitCode = 126;
// How long a closing launcher gives a signalled tool to end before leaving it be.
constexpr int EndGraceMs = 500;

bool hasProgram(const QStringList& command) {
    return !command.isEmpty() && !QStandardPaths::findExecutable(command.first()).isEmpty();
}

// Once pkexec has become dpkg running as root no signal of ours reaches it, and QProcess's
// destructor would wait for it; it is left to finish on its own while the launcher exits.
void leaveRunning(std::unique_ptr<QProcess> process) {
    process->disconnect();
    static auto* leftRunning = new std::vector<QProcess*>;
    leftRunning->push_back(process.release());
}

}  // namespace

DpkgInstallerService::DpkgInstallerService(DpkgCommands commands) : commands_(std::move(commands)) {
    queryDeadline_.setSingleShot(true);
    QObject::connect(&queryDeadline_, &QTimer::timeout, [this] {
        if (running_) running_->kill();
    });
}

DpkgInstallerService::~DpkgInstallerService() { endRunningTool(); }

bool DpkgInstallerService::canInstallPackages() const { return hasProgram(commands_.query); }

bool DpkgInstallerService::canRemovePackages() const { return hasProgram(commands_.removal); }

QString installedPackageIn(const QString& queryOutput, const QString& productCode) {
    for (const QString& line : queryOutput.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields.size() != 3) continue;
        // "ii" is wanted and installed; a removed package keeps its fields in state "rc" or "un".
        if (fields[1].trimmed() == "ii" && fields[2].trimmed() == productCode) return fields[0].trimmed();
    }
    return {};
}

QString shellQuoted(const QString& word) {
    static const QRegularExpression plain("^[A-Za-z0-9_./,:+@%=-]+$");
    if (plain.match(word).hasMatch()) return word;
    QString quoted = word;
    quoted.replace("'", "'\\''");
    return "'" + quoted + "'";
}

QString DpkgInstallerService::removalCommand(const QString& package) const {
    return "sudo apt remove " + shellQuoted(package);
}

QString DpkgInstallerService::installCommand(const QString& packagePath) const {
    return "sudo apt install " + shellQuoted(packagePath);
}

void DpkgInstallerService::start(Tool tool, const QStringList& command, const QStringList& arguments,
                                 Finished finished) {
    endRunningTool();
    running_ = std::make_unique<QProcess>();
    runningTool_ = tool;
    finished_ = std::move(finished);
    QProcess& process = *running_;
    process.setStandardInputFile(QProcess::nullDevice());
    // The removal's messages go where the launcher's own go; the query's output is read.
    process.setProcessChannelMode(tool == Tool::Query ? QProcess::SeparateChannels : QProcess::ForwardedChannels);
    QObject::connect(&process, &QProcess::finished,
                     [this](int, QProcess::ExitStatus status) { finish(status == QProcess::NormalExit); });
    QObject::connect(&process, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) finish(false);
    });
    if (tool == Tool::Query) queryDeadline_.start(commands_.queryTimeoutMs);
    process.start(command.value(0), command.mid(1) + arguments);
}

void DpkgInstallerService::finish(bool normalExit) {
    queryDeadline_.stop();
    // The answer may start the next tool, so this one is put away first; QProcess is still
    // inside its own signal here and is deleted from the event loop.
    std::unique_ptr<QProcess> process = std::move(running_);
    process->disconnect();
    const Finished finished = std::move(finished_);
    finished(*process, normalExit);
    process.release()->deleteLater();
}

void DpkgInstallerService::findInstalledPackage(const QString& productCode, std::function<void(const QString&)> done) {
    const QStringList arguments{"-W", "-f=${Package}\\t${db:Status-Abbrev}\\t${Product-Code}\\n"};
    start(Tool::Query, commands_.query, arguments, [done = std::move(done), productCode](QProcess& query, bool normal) {
        // The exit status says nothing about our package: every listed package has a state.
        done(normal ? installedPackageIn(QString::fromUtf8(query.readAllStandardOutput()), productCode) : QString());
    });
}

void DpkgInstallerService::removePackage(const QString& package, std::function<void(RemovalResult)> done) {
    // The user may take their time over the authentication dialog: no deadline.
    start(Tool::Removal, commands_.removal, {"--remove", package},
          [done = std::move(done)](QProcess& removal, bool normal) {
              if (!normal) return done(RemovalResult::Failed);
              if (removal.exitCode() == DismissedExitCode) return done(RemovalResult::Cancelled);
              done(removal.exitCode() == 0 ? RemovalResult::Removed : RemovalResult::Failed);
          });
}

void DpkgInstallerService::endRunningTool() {
    if (!running_) return;
    queryDeadline_.stop();
    finished_ = nullptr;
    std::unique_ptr<QProcess> process = std::move(running_);
    process->disconnect();
    // The query is ours to kill; a removal still waiting for authentication ends on SIGTERM as
    // it would when its prompt is closed.
    if (runningTool_ == Tool::Query) {
        process->kill();
    } else {
        process->terminate();
    }
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(EndGraceMs))
        leaveRunning(std::move(process));
}

}  // namespace grayden
