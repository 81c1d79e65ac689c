#pragma once

#include <vector>

#include "editor/ModelOwnerAdapter.h"
#include "editor/window/MonitorCommands.h"
#include "engine/CurveModel.h"
#include "resources/ErrorMessages.h"
#include "tests/support/SessionRig.h"

namespace grayden::testing {

// The window's monitor wiring without the window: the session over a simulated platform, the
// curve model whose monitor writes go through the commands, and every message remembered.
struct CommandsRig : SessionRig {
    std::vector<int> messages;
    ModelOwnerAdapter owner{
        [] {}, [this](const ToneTable& table, MonitorTable which) { return commands.writeModelTable(table, which); },
        [this](ToneFileError error, const FileFailure&) { messages.push_back(toneFileMessageId(error)); }};
    CurveModel model{owner};
    MonitorCommands commands{session, model, [this](int stringId) { messages.push_back(stringId); }};
};

}  // namespace grayden::testing
