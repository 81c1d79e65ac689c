#include <QApplication>
#include <QLocale>

#include <cstdio>

#include "launcher/DesktopLauncherInteraction.h"
#include "launcher/DpkgInstallerService.h"
#include "launcher/GioDocumentOpener.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherResources.h"
#include "launcher/LauncherText.h"
#include "launcher/WindowCloser.h"
#include "resources/launcher/StringIds.h"
#include "ui/DisplayCheck.h"
#include "ui/ResourceLoading.h"
#include "ui/UiLanguage.h"

int main(int argc, char** argv) {
    // The language comes from the environment alone, so even the no-display line is in it.
    grayden::setLauncherLanguage(grayden::languageForUiLanguages(QLocale::system().uiLanguages()));
    if (!grayden::displayConfigured()) {
        std::fprintf(stderr, "%s\n", grayden::launcherText(grayden::NoDisplayMessage).toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    grayden::initLauncherResources();
    QApplication::setFont(grayden::interfaceFont(grayden::launcherLanguage(), QApplication::font()));
    // The Yes, No and OK of the message boxes in the interface language.
    grayden::installQtTranslations(grayden::launcherLanguage());

    grayden::DpkgInstallerService installer;
    grayden::GioDocumentOpener opener;
    std::unique_ptr<grayden::WindowCloser> windows = grayden::makeDesktopWindowCloser();
    grayden::DesktopLauncherInteraction user;
    grayden::LauncherApp launcher({installer, opener, *windows, user}, grayden::LauncherApp::programFolder());
    return launcher.run();
}
