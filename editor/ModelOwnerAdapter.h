#pragma once

#include <functional>
#include <utility>

#include "engine/ModelOwner.h"

namespace grayden {

// The curve model's owner made of three callables (and one for messages about a file), so that a window can serve the
// model with its own members instead of deriving from the owner interface.
class ModelOwnerAdapter final : public ModelOwner {
public:
    using RefreshViews = std::function<void()>;
    using WriteTable = std::function<bool(const ToneTable&, MonitorTable)>;
    using ShowMessage = std::function<void(int stringId)>;
    using ShowFileMessage = std::function<void(int stringId, const FileFailure& failure)>;

    ModelOwnerAdapter(RefreshViews refresh, WriteTable write, ShowMessage show, ShowFileMessage showFile = {})
        : refresh_(std::move(refresh)),
          write_(std::move(write)),
          show_(std::move(show)),
          showFile_(std::move(showFile)) {}

    void refreshViews() override { refresh_(); }
    bool writeTableToMonitor(const ToneTable& table, MonitorTable which) override { return write_(table, which); }
    void showMessage(int stringId) override { show_(stringId); }
    void showFileMessage(int stringId, const FileFailure& failure) override {
        if (showFile_) {
            showFile_(stringId, failure);
        } else {
            show_(stringId);
        }
    }

private:
    RefreshViews refresh_;
    WriteTable write_;
    ShowMessage show_;
    ShowFileMessage showFile_;
};

}  // namespace grayden
