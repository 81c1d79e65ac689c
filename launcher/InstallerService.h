#pragma once

#include <QString>

#include <functional>

namespace grayden {

enum class RemovalResult { Removed, Cancelled, Failed };

// The platform's package system as the launcher uses it: is the editor installed under its
// product code, and remove it. The tools run without blocking the caller's thread: each answer
// comes later, through the event loop, and only one tool runs at a time.
class InstallerService {
public:
    virtual ~InstallerService() = default;
    // The package system that can install the editor's package exists on this machine.
    virtual bool canInstallPackages() const = 0;
    // The removal tool exists; only an installed copy that must go needs it.
    virtual bool canRemovePackages() const = 0;
    // `done` gets the installed package that carries the product code; empty when none does or
    // the query fails or takes too long.
    virtual void findInstalledPackage(const QString& productCode, std::function<void(const QString&)> done) = 0;
    // Removes an installed package, asking the user for the rights to do so.
    virtual void removePackage(const QString& package, std::function<void(RemovalResult)> done) = 0;
    virtual bool toolRunning() const = 0;
    // Ends the running tool at once, for a launcher that is closing; its answer never comes.
    virtual void endRunningTool() = 0;
    // The command a user can type to remove the package where the removal tool is missing.
    virtual QString removalCommand(const QString& package) const = 0;
    // The command a user can type to install a package file.
    virtual QString installCommand(const QString& packagePath) const = 0;
};

}  // namespace grayden
