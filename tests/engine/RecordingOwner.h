#pragma once

#include <string>
#include <vector>

#include "engine/CurveModel.h"
#include "engine/MonitorPort.h"

namespace grayden::testing {

// The document's monitor and listener in one: remembers every write, every change the document
// reports, and the file failures the tests hand it, in order.
class RecordingOwner : public MonitorPort {
public:
    struct Write {
        ToneTable table;
        MonitorTable which;
    };
    bool readTable(MonitorTable, double, ToneTable& table) override {
        log.push_back("read");
        table = monitorTable;
        return readsSucceed;
    }
    bool readPreviewBlocks(ToneTable& table) override { return readTable(MonitorTable::Preview, 0, table); }
    bool writeTable(MonitorTable which, const ToneTable& table) override {
        writes.push_back({table, which});
        log.push_back(which == MonitorTable::Preview ? "preview" : "permanent");
        return true;
    }
    void holdBusy(bool) override {}

    CurveModel::ChangeListener listener() {
        return [this](ModelChange what) {
            changes.push_back(what);
            const char* names[] = {"rebuilt", "dragged", "edited", "panel gamma", "output curve"};
            log.push_back(names[static_cast<int>(what)]);
            if (what == ModelChange::Rebuilt) ++refreshes;
        };
    }
    // Remembers a failure an operation returned; true when there was none.
    bool noted(ToneFileError error, const FileFailure& failure) {
        if (error == ToneFileError::None) return true;
        fileErrors.push_back(error);
        fileFailures.push_back(failure);
        return false;
    }

    ToneTable monitorTable{};
    bool readsSucceed = true;
    int refreshes = 0;
    std::vector<ModelChange> changes;
    std::vector<std::string> log;  // changes, reads and writes in the order they came
    std::vector<Write> writes;
    std::vector<ToneFileError> fileErrors;
    std::vector<FileFailure> fileFailures;  // with each of fileErrors
};

}  // namespace grayden::testing
