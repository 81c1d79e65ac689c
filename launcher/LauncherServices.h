#pragma once

namespace grayden {

class DocumentOpener;
class InstallerService;
class LauncherInteraction;
class WindowCloser;

// The platform services the launcher's window works through; all are the caller's.
struct LauncherServices {
    InstallerService& installer;
    DocumentOpener& opener;
    WindowCloser& windows;
    LauncherInteraction& user;
};

}  // namespace grayden
