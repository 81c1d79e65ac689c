#pragma once

#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

#include "device/MonitorProtocol.h"
#include "device/hid/DeviceList.h"
#include "device/simulated/SimulatedMonitorPlatform.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "editor/window/EditorDialog.h"
#include "tests/editor/RecordingInteraction.h"
#include "tests/support/MemoryStringStore.h"

namespace grayden::test {

// A main window over a simulated monitor, an in-memory settings store and recorded answers.
class EditorFixture : public ::testing::Test {
protected:
    explicit EditorFixture(MonitorState monitor = factoryMonitorState())
        : platform(std::move(monitor)), devices(platform) {
        platform.recordExchanges(true);
    }

    EditorDialog& makeDialog() {
        dialog = std::make_unique<EditorDialog>(devices, store, user);
        return *dialog;
    }

    // Builds the window and runs its start-up sequence.
    EditorDialog& start() {
        EditorDialog& d = makeDialog();
        started = d.initialise();
        return d;
    }

    // Feature-report writes made since the last call.
    std::size_t writesSince() {
        std::size_t writes = 0;
        for (const SimulatedExchange& e : platform.exchanges()) {
            if (e.direction == ExchangeDirection::Set) ++writes;
        }
        platform.clearExchanges();
        return writes;
    }

    // Tables written into the preview bank (blocks 128..131) since the last call; each write
    // selects block 128 once. Nothing may go to the stored bank (blocks 0..3).
    int previewWrites() {
        int writes = 0;
        for (const SimulatedExchange& e : platform.exchanges()) {
            if (e.direction != ExchangeDirection::Set || e.reportId != BlockSelectReport) continue;
            EXPECT_GE(e.bytes.at(0), static_cast<std::uint8_t>(TableBank::Preview));
            writes += e.bytes.at(0) == static_cast<std::uint8_t>(TableBank::Preview) ? 1 : 0;
        }
        platform.clearExchanges();
        return writes;
    }

    SimulatedMonitorPlatform platform;
    DeviceList devices;
    MemoryStringStore store;
    RecordingInteraction user;
    std::unique_ptr<EditorDialog> dialog;
    bool started = false;
    QTemporaryDir folder;
};

}  // namespace grayden::test
