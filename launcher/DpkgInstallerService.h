#pragma once

#include <QStringList>
#include <QTimer>

#include <memory>

#include "launcher/InstallerService.h"

class QProcess;

namespace grayden {

// The programs the service runs, each a program name and its leading arguments, so that tests
// can point them at a package database of their own.
struct DpkgCommands {
    QStringList query{"dpkg-query"};
    // Followed by "--remove" and the package name. pkexec answers 126 when the user dismisses
    // its authentication dialog.
    QStringList removal{"pkexec", "dpkg"};
    // The query reads a local database and normally answers within a fraction of a second.
    int queryTimeoutMs = 15000;
};

// The installer service over dpkg: packages carry the product code in a "Product-Code" field of
// their control data, and only a package in state "ii" (installed) counts.
class DpkgInstallerService : public InstallerService {
public:
    explicit DpkgInstallerService(DpkgCommands commands = {});
    ~DpkgInstallerService() override;
    bool canInstallPackages() const override;
    bool canRemovePackages() const override;
    void findInstalledPackage(const QString& productCode, std::function<void(const QString&)> done) override;
    void removePackage(const QString& package, std::function<void(RemovalResult)> done) override;
    bool toolRunning() const override { return running_ != nullptr; }
    void endRunningTool() override;
    QString removalCommand(const QString& package) const override;
    QString installCommand(const QString& packagePath) const override;

private:
    enum class Tool { Query, Removal };
    using Finished = std::function<void(QProcess&, bool normalExit)>;
    void start(Tool tool, const QStringList& command, const QStringList& arguments, Finished finished);
    void finish(bool normalExit);

    DpkgCommands commands_;
    std::unique_ptr<QProcess> running_;
    Tool runningTool_ = Tool::Query;
    Finished finished_;
    QTimer queryDeadline_;
};

// The package of dpkg-query lines "package<TAB>status<TAB>product code" installed with the
// product code; empty when there is none.
QString installedPackageIn(const QString& queryOutput, const QString& productCode);

// The word as a POSIX shell reads it back: quoted only where it needs to be.
QString shellQuoted(const QString& word);

}  // namespace grayden
