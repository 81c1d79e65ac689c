#pragma once

#include <string>
#include <vector>

#include "device/BusyFeedback.h"
#include "device/MonitorSession.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidReportChannel.h"
#include "device/simulated/SimulatedMonitorPlatform.h"
#include "engine/ToneTable.h"

namespace grayden::testing {

// Remembers every change of the busy cursor.
class RecordingBusy : public BusyFeedback {
public:
    void setBusy(bool on) override { busy.push_back(on); }
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

// A monitor session over a simulated platform, wired as the programs wire it.
struct SessionRig {
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
    RecordingBusy feedback;
    DeviceList devices{sim};
    MarkingChannel channel{sim};
    MonitorSession session{channel, devices, &feedback};
};

// Exchange logs in words, and the pieces they are made of.
using Steps = std::vector<std::string>;
Steps concat(std::initializer_list<Steps> parts);
// The readiness check when the mode register holds 12, and when it must be set first.
extern const Steps Ready;
extern const Steps ReadyAfterModeWrite;
// Four selections from base, each followed by a block read, or by a paused block write.
Steps blockReads(int base);
Steps blockWrites(int base);

// The table as it comes back from the monitor after packing.
ToneTable quantised(const ToneTable& t);
// A table whose every level survives the packing, so comparisons are exact.
ToneTable customTable();
// Makes the table the monitor's stored custom table.
void storeCustomTable(SessionRig& rig, const ToneTable& table);
// The monitor's status word as it goes over the wire: bit 0 is its calibrated bit.
void setStatusWord(SessionRig& rig, std::uint16_t word);

}  // namespace grayden::testing
