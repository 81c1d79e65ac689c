#pragma once

#include <memory>
#include <vector>

#include "device/hid/DeviceList.h"
#include "editor/app/InstanceLock.h"
#include "editor/window/AcceleratorTable.h"

namespace grayden {

class AcceleratorFilter;
class EditorDialog;
class HidPlatform;
class StringStore;
class UserInteraction;

// The editor's application object: the single-instance lock, the accepted devices, the
// accelerator table, and the modal run of the main window. The process ends after that run.
class EditorApp {
public:
    static constexpr int AcceleratorTableId = 129;

    EditorApp(HidPlatform& platform, StringStore& store, UserInteraction& user);
    ~EditorApp();

    // Start-up: the lock, then the main window run modally. Returns when the window has ended
    // or the start was refused; the result is the process exit code.
    int run();

private:
    DeviceList deviceList_;
    std::vector<Accelerator> acceleratorTable_;
    InstanceLock instanceLock_;
    StringStore& store_;
    UserInteraction& user_;
};

}  // namespace grayden
