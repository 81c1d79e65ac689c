#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <cstdio>

#include "device/PlatformFactory.h"
#include "editor/app/DesktopInteraction.h"
#include "editor/app/EditorApp.h"
#include "editor/app/IniStringStore.h"
#include "editor/app/UserInteraction.h"
#include "editor/window/MenuBarStyle.h"
#include "render/ResourceFiles.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "ui/DisplayCheck.h"
#include "ui/ResourceLoading.h"

int main(int argc, char** argv) {
    // The language comes from the environment alone, so even the no-display line is in it.
    grayden::setUiLanguage(grayden::languageForUiLanguages(QLocale::system().uiLanguages()));
    if (!grayden::displayConfigured()) {
        std::fprintf(stderr, "%s\n", grayden::uiText(grayden::MsgNoDisplay).toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    grayden::initEditorResources();
    grayden::installMenuBarStyle();
    QApplication::setFont(grayden::interfaceFont(grayden::uiLanguage(), QApplication::font()));
    grayden::installQtTranslations(grayden::uiLanguage());

    std::string error;
    std::unique_ptr<grayden::HidPlatform> platform = grayden::makeHidPlatform(error);
    if (!platform) {
        // Only a simulated monitor's state file can fail here; the file is left as it was.
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        QMessageBox::warning(nullptr, grayden::programCaption(), QString::fromStdString(error));
        return 1;
    }
    grayden::IniStringStore store;
    grayden::DesktopInteraction user;
    grayden::EditorApp editor(*platform, store, user);
    return editor.run();
}
