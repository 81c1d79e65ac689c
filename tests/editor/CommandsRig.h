#pragma once

#include <vector>

#include "editor/window/MonitorLink.h"
#include "engine/CurveModel.h"
#include "resources/ErrorMessages.h"
#include "tests/support/SessionRig.h"

namespace grayden::testing {

// The window's monitor wiring without the window: the link over a simulated platform, the curve
// document writing through it, and every message remembered.
struct CommandsRig : SessionRig {
    std::vector<int> messages;
    MonitorLink commands{channel, devices, &feedback, [this](int stringId) { messages.push_back(stringId); }};
    CurveModel model{commands};

    // Start-up as the window runs it: the link reads the stored table, the document starts from it.
    StartupOutcome startUp() {
        ToneTable stored{};
        const StartupOutcome outcome = commands.startUp(model.panelGamma(), stored);
        if (outcome == StartupOutcome::Ready) model.start(stored);
        return outcome;
    }
    bool writeBaselineOnClose() { return commands.writeBaselineOnClose(model.baselineTable()); }
};

}  // namespace grayden::testing
