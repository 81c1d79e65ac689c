#include <QApplication>
#include <QLocale>

#include "device/PlatformFactory.h"
#include "editor/EditorApp.h"
#include "editor/IniStringStore.h"
#include "editor/ResourceFiles.h"
#include "editor/UiText.h"
#include "editor/UserInteraction.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    grayden::initEditorResources();
    grayden::setUiLanguage(grayden::languageForUiLanguages(QLocale::system().uiLanguages()));

    std::unique_ptr<grayden::HidPlatform> platform = grayden::makePlatform();
    grayden::IniStringStore store;
    grayden::DesktopInteraction user;
    grayden::EditorApp editor(*platform, store, user);
    return editor.run();
}
