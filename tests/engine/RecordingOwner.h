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
    void toneFileFailed(ToneFileError error, const FileFailure& failure) override {
        fileErrors.push_back(error);
        fileFailures.push_back(failure);
    }

    int refreshes = 0;
    std::vector<Write> writes;
    std::vector<ToneFileError> fileErrors;
    std::vector<FileFailure> fileFailures;  // with each of fileErrors
};

}  // namespace grayden::testing
