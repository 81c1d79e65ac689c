#pragma once

#include "engine/FileFailure.h"
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
    // Show the string-table message with this id to the user.
    virtual void showMessage(int stringId) = 0;
    // The same about a file, for an owner that can also say which file and why.
    virtual void showFileMessage(int stringId, const FileFailure&) { showMessage(stringId); }
};

// An owner with no views, no monitor and no one to show a message to, for tools and tests.
class DetachedOwner : public ModelOwner {
public:
    void refreshViews() override {}
    bool writeTableToMonitor(const ToneTable&, MonitorTable) override { return true; }
    void showMessage(int) override {}
};

}  // namespace grayden
