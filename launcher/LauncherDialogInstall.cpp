// The launcher window's install: check the package, close a running editor, look up an
// installed copy, offer to remove it, open the package.
#include <QGuiApplication>

#include "launcher/HoverImageButton.h"
#include "launcher/InstallerService.h"
#include "launcher/LauncherDialog.h"
#include "launcher/LauncherInteraction.h"
#include "launcher/LauncherText.h"
#include "launcher/WindowCloser.h"
#include "resources/launcher/StringIds.h"

namespace grayden {

LauncherDialog::~LauncherDialog() { endRunningTool(); }

void LauncherDialog::installEditor() {
    if (toolRunning_) return;
    const QString package = moduleFolder_ + launcherText(EditorPackagePath);
    // Nothing is removed before the new package is known to open: the user would end with
    // nothing installed.
    if (const OpenResult check = services_.opener.checkDocument(package); check != OpenResult::Opened) {
        reportPackageError(check, package);
        return;
    }
    services_.windows.closeWindowTitled(launcherText(EditorWindowTitle));
    setToolRunning(true);
    services_.installer.findInstalledPackage(launcherText(EditorProductCode),
                                             [this, package](const QString& installed) {
                                                 setToolRunning(false);
                                                 if (installed.isEmpty()) {
                                                     openPackage(package);
                                                 } else {
                                                     removeOtherVersion(installed, package);
                                                 }
                                             });
}

void LauncherDialog::removeOtherVersion(const QString& installed, const QString& packagePath) {
    if (!services_.user.askYesNo(this, RemoveOtherVersionQuestion)) return;
    InstallerService& installer = services_.installer;
    if (!installer.canRemovePackages()) {
        // Without the removal tool the user is told how to remove it; the package opens as after
        // a failed removal.
        services_.user.showMessage(this, MessageIcon::Exclamation, RemoveCommandMessage,
                                   installer.removalCommand(installed));
        openPackage(packagePath);
        return;
    }
    setToolRunning(true);
    installer.removePackage(installed, [this, packagePath](RemovalResult result) {
        setToolRunning(false);
        // A removal that fails for another reason than the user's cancel still lets the install go on.
        if (result != RemovalResult::Cancelled) openPackage(packagePath);
    });
}

void LauncherDialog::openPackage(const QString& packagePath) {
    const OpenResult result = services_.opener.openDocument(packagePath);
    if (result != OpenResult::Opened) reportPackageError(result, packagePath);
}

void LauncherDialog::reportPackageError(OpenResult result, const QString& packagePath) {
    QString detail;
    // Desktops without a package installer are common; the package can still be installed by hand.
    if (result == OpenResult::NoAssociation) {
        detail = launcherText(PackagePathLine).arg(packagePath) + "\n" + launcherText(InstallCommandLine) + "\n" +
                 services_.installer.installCommand(packagePath);
    }
    services_.user.showMessage(this, MessageIcon::Stop, shellErrorMessageId(result), detail);
}

void LauncherDialog::setToolRunning(bool running) {
    if (running == toolRunning_) return;
    toolRunning_ = running;
    manualButton_->enableButton(!running);
    installButton_->enableButton(!running && installEnabled_);
    if (running) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void LauncherDialog::endRunningTool() {
    if (!toolRunning_) return;
    services_.installer.endRunningTool();
    setToolRunning(false);
}

void LauncherDialog::done(int result) {
    endRunningTool();
    QDialog::done(result);
}

}  // namespace grayden
