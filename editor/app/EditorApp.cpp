#include "editor/app/EditorApp.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "editor/app/UserInteraction.h"
#include "editor/window/AcceleratorFilter.h"
#include "editor/window/EditorDialog.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

EditorApp::EditorApp(HidPlatform& platform, StringStore& store, UserInteraction& user)
    : deviceList_(platform), acceleratorTable_(loadAcceleratorTable(AcceleratorTableId)), store_(store), user_(user) {}

EditorApp::~EditorApp() = default;

int EditorApp::run() {
    const std::string lockName = uiText(LockName).toStdString();
    switch (instanceLock_.acquire(lockName)) {
    case InstanceLock::Result::Failed:
        // No window, but the terminal learns why nothing opened.
        std::fprintf(stderr, "grayden: cannot create the single-instance lock %s: %s\n",
                     InstanceLock::lockPath(lockName).c_str(), std::strerror(instanceLock_.error()));
        return 1;
    case InstanceLock::Result::UnsafeFolder:
        std::fprintf(stderr,
                     "grayden: %s is not a private folder of this user (owned by another user, a link, or open "
                     "to others); remove it or set XDG_RUNTIME_DIR\n",
                     InstanceLock::lockFolder().c_str());
        return 1;
    case InstanceLock::Result::HeldElsewhere:
        // The copy that runs is neither activated nor told.
        user_.showMessage(nullptr, MsgAlreadyRunning);
        return 1;
    case InstanceLock::Result::Acquired: break;
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
