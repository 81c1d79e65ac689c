#pragma once

#include <functional>
#include <utility>

#include "engine/ModelOwner.h"

namespace grayden {

// The curve model's owner made of three callables, so that a window can serve the model with
// its own members instead of deriving from the owner interface.
class ModelOwnerAdapter final : public ModelOwner {
public:
    using RefreshViews = std::function<void()>;
    using WriteTable = std::function<bool(const ToneTable&, MonitorTable)>;
    using ShowMessage = std::function<void(int stringId)>;

    ModelOwnerAdapter(RefreshViews refresh, WriteTable write, ShowMessage show)
        : refresh_(std::move(refresh)), write_(std::move(write)), show_(std::move(show)) {}

    void refreshViews() override { refresh_(); }
    bool writeTableToMonitor(const ToneTable& table, MonitorTable which) override { return write_(table, which); }
    void showMessage(int stringId) override { show_(stringId); }

private:
    RefreshViews refresh_;
    WriteTable write_;
    ShowMessage show_;
};

}  // namespace grayden
