#include "editor/EditorDialog.h"

namespace grayden {

// Device discovery, the monitor search, the calibration check and the first read. Every
// refusal has shown its message; a failed first read ends the window too, so an unknown table
// is never stored into the monitor on close.
bool EditorDialog::startMonitor() { return link_.startUp() == StartupOutcome::Ready; }

void EditorDialog::closeMonitor() { link_.writeBaselineOnClose(); }

void EditorDialog::readFromMonitor() { link_.readFromMonitor(); }

void EditorDialog::writeToMonitor() { link_.writeToMonitor(); }

void EditorDialog::previewSwitchedOn() { link_.previewSwitchedOn(); }

bool EditorDialog::writeTableToMonitor(const ToneTable& table, MonitorTable which) {
    return link_.writeModelTable(table, which);
}

}  // namespace grayden
