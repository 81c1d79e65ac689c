#pragma once

#include <QString>

namespace grayden {

enum class RemovalResult { Removed, Cancelled, Failed };

// The platform's package system as the launcher uses it: is the editor installed under its
// product code, and remove it.
class InstallerService {
public:
    virtual ~InstallerService() = default;
    // The package system that can install the editor's package exists on this machine.
    virtual bool canInstallPackages() const = 0;
    // Both the query and the removal tool are there; without them the install click does nothing.
    virtual bool toolsAvailable() const = 0;
    // The installed package that carries the product code; empty when none does or the query fails.
    virtual QString installedPackage(const QString& productCode) = 0;
    // Removes an installed package, asking the user for the rights to do so.
    virtual RemovalResult removePackage(const QString& package) = 0;
};

}  // namespace grayden
