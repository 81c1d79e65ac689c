#pragma once

#include <string>
#include <vector>

#include "device/DeviceList.h"
#include "device/HidReportChannel.h"
#include "device/MonitorLink.h"
#include "device/SimulatedMonitorPlatform.h"
#include "engine/CurveModel.h"

namespace grayden::testing {

// Feedback and model owner of the link, as the editor's window is: messages and busy-cursor
// changes are remembered, and the model's monitor writes go through the link.
class RecordingFeedback : public LinkFeedback, public ModelOwner {
public:
    void showMessage(int stringId) override { messages.push_back(stringId); }
    void setBusy(bool on) override { busy.push_back(on); }
    void refreshViews() override {}
    bool writeTableToMonitor(const ToneTable& table, MonitorTable which) override {
        return link->writeModelTable(table, which);
    }

    MonitorLink* link = nullptr;
    std::vector<int> messages;
    std::vector<bool> busy;
};

// A channel that notes where in the exchange log each pause before a long write fell, and can
// make the monitor calibrated after a number of reads.
class MarkingChannel : public HidReportChannel {
public:
    MarkingChannel(SimulatedMonitorPlatform& sim) : HidReportChannel(sim), sim_(sim) {}

    bool readValue(std::uint8_t* buffer, std::int16_t length, std::uint8_t usage, std::uint16_t usagePage) override {
        if (calibrateAfterReads >= 0 && reads++ == calibrateAfterReads) sim_.monitor().state().calibrated = true;
        return HidReportChannel::readValue(buffer, length, usage, usagePage);
    }

    std::vector<std::size_t> pausesAt;
    int calibrateAfterReads = -1;
    int reads = 0;

protected:
    void pauseBeforeLongWrite() override {
        pausesAt.push_back(sim_.exchanges().size());
        HidReportChannel::pauseBeforeLongWrite();
    }

private:
    SimulatedMonitorPlatform& sim_;
};

// The editor's wiring over a simulated platform.
struct LinkRig {
    LinkRig() { feedback.link = &link; }

    // Starts the exchange log (and the pause marks) afresh.
    void record() {
        sim.clearExchanges();
        sim.recordExchanges(true);
        channel.pausesAt.clear();
    }
    // The log in words, one entry per exchange or pause, e.g. "select 128", "pause", "write block".
    std::vector<std::string> steps() const;
    // Like steps, with the index of the device in front of every exchange.
    std::vector<std::string> stepsWithDevice() const;

    SimulatedMonitorPlatform sim;
    RecordingFeedback feedback;
    DeviceList devices{sim};
    MarkingChannel channel{sim};
    CurveModel model{feedback};
    MonitorLink link{channel, devices, model, feedback};
};

}  // namespace grayden::testing
