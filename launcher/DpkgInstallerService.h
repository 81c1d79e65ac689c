#pragma once

#include <QStringList>

#include "launcher/InstallerService.h"

namespace grayden {

// The programs the service runs, each a program name and its leading arguments, so that tests
// can point them at a package database of their own.
struct DpkgCommands {
    QStringList query{"dpkg-query"};
    // Followed by "--remove" and the package name. pkexec answers 126 when the user dismisses
    // its authentication dialog.
    QStringList removal{"pkexec", "dpkg"};
};

// The installer service over dpkg: packages carry the product code in a "Product-Code" field of
// their control data, and only a package in state "ii" (installed) counts.
class DpkgInstallerService : public InstallerService {
public:
    explicit DpkgInstallerService(DpkgCommands commands = {});
    bool canInstallPackages() const override;
    bool toolsAvailable() const override;
    QString installedPackage(const QString& productCode) override;
    RemovalResult removePackage(const QString& package) override;

private:
    DpkgCommands commands_;
};

// The package of dpkg-query lines "package<TAB>status<TAB>product code" installed with the
// product code; empty when there is none.
QString installedPackageIn(const QString& queryOutput, const QString& productCode);

}  // namespace grayden
