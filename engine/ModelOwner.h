#pragma once

#include "engine/FileFailure.h"
#include "engine/ToneFile.h"
#include "engine/ToneTable.h"

namespace grayden {

// Which of the monitor's tables a write from the model goes to.
enum class MonitorTable { Preview, Permanent };

// Services the model's owner (the main window, or a tool) provides. The model calls them
// synchronously, on its own thread, in the order its operations require.
class ModelOwner {
public:
    virtual ~ModelOwner() = default;
    // Refill the point list, repaint the graph, update the gamma text and the check boxes.
    virtual void refreshViews() = 0;
    // Write a table to the monitor with the wait cursor shown; failures show their own message.
    virtual bool writeTableToMonitor(const ToneTable& table, MonitorTable which) = 0;
    // A tone file could not be opened, read or saved; the owner decides what the user is told.
    // The failure names the file, and for CannotOpen why.
    virtual void toneFileFailed(ToneFileError error, const FileFailure& failure) = 0;
};

// An owner with no views, no monitor and no one to show a message to, for tools and tests.
class DetachedOwner : public ModelOwner {
public:
    void refreshViews() override {}
    bool writeTableToMonitor(const ToneTable&, MonitorTable) override { return true; }
    void toneFileFailed(ToneFileError, const FileFailure&) override {}
};

}  // namespace grayden
