#include "editor/EditorApp.h"

#include <QApplication>

#include "editor/AcceleratorFilter.h"
#include "editor/EditorDialog.h"
#include "editor/UiText.h"
#include "editor/UserInteraction.h"

namespace grayden {

EditorApp::EditorApp(HidPlatform& platform, StringStore& store, UserInteraction& user)
    : deviceList_(platform), acceleratorTable_(loadAcceleratorTable(AcceleratorTableId)), store_(store), user_(user) {}

EditorApp::~EditorApp() = default;

int EditorApp::run() {
    switch (instanceLock_.acquire(uiText(LockNameId).toStdString())) {
    case InstanceLock::Result::Failed:
        return 1;
    case InstanceLock::Result::HeldElsewhere:
        // The copy that runs is neither activated nor told.
        user_.showMessage(nullptr, AlreadyRunningId);
        return 1;
    case InstanceLock::Result::Acquired:
        break;
    }
    auto dialog = std::make_unique<EditorDialog>(deviceList_, store_, user_);
    EditorDialog* window = dialog.get();
    AcceleratorFilter filter(acceleratorTable_, [window](int command) {
        if (!window->isCommandEnabled(command)) return true;
        window->onCommand(command);
        return true;
    });
    qApp->installEventFilter(&filter);
    dialog->runModal();
    qApp->removeEventFilter(&filter);
    dialog.reset();
    return 0;
}

}  // namespace grayden
