#pragma once

#include <functional>
#include <utility>

#include "engine/ModelOwner.h"

namespace grayden {

// The curve model's owner made of three callables, so that a window can serve the model with its
// own members instead of deriving from the owner interface.
class ModelOwnerAdapter final : public ModelOwner {
public:
    using RefreshViews = std::function<void()>;
    using WriteTable = std::function<bool(const ToneTable&, MonitorTable)>;
    using ToneFileFailed = std::function<void(ToneFileError error, const FileFailure& failure)>;

    ModelOwnerAdapter(RefreshViews refresh, WriteTable write, ToneFileFailed fileFailed)
        : refresh_(std::move(refresh)), write_(std::move(write)), fileFailed_(std::move(fileFailed)) {}

    void refreshViews() override { refresh_(); }
    bool writeTableToMonitor(const ToneTable& table, MonitorTable which) override { return write_(table, which); }
    void toneFileFailed(ToneFileError error, const FileFailure& failure) override { fileFailed_(error, failure); }

private:
    RefreshViews refresh_;
    WriteTable write_;
    ToneFileFailed fileFailed_;
};

}  // namespace grayden
