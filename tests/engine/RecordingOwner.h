#pragma once

#include <vector>

#include "engine/ModelOwner.h"

namespace grayden::testing {

// Remembers every service call the model makes, in order.
class RecordingOwner : public ModelOwner {
public:
    struct Write {
        ToneTable table;
        MonitorTable which;
    };
    void refreshViews() override { ++refreshes; }
    bool writeTableToMonitor(const ToneTable& table, MonitorTable which) override {
        writes.push_back({table, which});
        return true;
    }
    void showMessage(int stringId) override { messages.push_back(stringId); }
    void showFileMessage(int stringId, const FileFailure& failure) override {
        messages.push_back(stringId);
        fileFailures.push_back(failure);
    }

    int refreshes = 0;
    std::vector<Write> writes;
    std::vector<int> messages;
    std::vector<FileFailure> fileFailures;  // of the messages about a file, in order
};

}  // namespace grayden::testing
