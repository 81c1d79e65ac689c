#include "launcher/LauncherApp.h"

#include <QCoreApplication>

#include "launcher/LauncherDialog.h"

namespace grayden {

LauncherApp::LauncherApp(LauncherServices services, QString moduleFolder)
    : services_(services), moduleFolder_(std::move(moduleFolder)) {}

QString LauncherApp::programFolder() { return QCoreApplication::applicationDirPath() + "/"; }

int LauncherApp::run() {
    LauncherDialog dialog(services_, moduleFolder_);
    dialog.exec();
    return 0;
}

}  // namespace grayden
