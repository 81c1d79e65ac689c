#include <QApplication>
#include <QLocale>

#include <cstdio>

#include "launcher/DpkgInstallerService.h"
#include "launcher/GioDocumentOpener.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherInteraction.h"
#include "launcher/LauncherResources.h"
#include "launcher/LauncherText.h"
#include "launcher/WindowCloser.h"
#include "ui/DisplayCheck.h"
#include "ui/UiLanguage.h"

int main(int argc, char** argv) {
    if (!grayden::displayConfigured()) {
        std::fprintf(stderr, "launcher: no display: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
        return 1;
    }
    QApplication app(argc, argv);
    grayden::initLauncherResources();
    grayden::setLauncherLanguage(grayden::languageForUiLanguages(QLocale::system().uiLanguages()));
    // The Yes, No and OK of the message boxes in the interface language.
    grayden::installQtTranslations(grayden::launcherLanguage());

    grayden::DpkgInstallerService installer;
    grayden::GioDocumentOpener opener;
    std::unique_ptr<grayden::WindowCloser> windows = grayden::makeDesktopWindowCloser();
    grayden::DesktopLauncherInteraction user;
    grayden::LauncherApp launcher({installer, opener, *windows, user}, grayden::LauncherApp::programFolder());
    return launcher.run();
}
