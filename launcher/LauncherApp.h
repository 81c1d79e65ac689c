#pragma once

#include <QString>

#include "launcher/LauncherServices.h"

namespace grayden {

// The launcher's application object: runs its one window modally; when the window ends, the
// program ends. Any number of copies may run.
class LauncherApp {
public:
    // moduleFolder: the folder of the launcher's program file, with a trailing slash.
    LauncherApp(LauncherServices services, QString moduleFolder);

    // The folder of the running program file, with a trailing slash.
    static QString programFolder();

    int run();
    const QString& moduleFolder() const { return moduleFolder_; }

private:
    LauncherServices services_;
    QString moduleFolder_;
};

}  // namespace grayden
