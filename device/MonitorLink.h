#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "device/DeviceList.h"
#include "device/HidReportChannel.h"
#include "device/MonitorProtocol.h"
#include "engine/CurveModel.h"
#include "engine/ModelOwner.h"
#include "engine/ToneTable.h"
#include "resources/StringIds.h"

namespace grayden {

// How the link reports to its user: a message to show, and the busy (wait) cursor.
class LinkFeedback {
public:
    virtual ~LinkFeedback() = default;
    virtual void showMessage(int stringId) = 0;
    virtual void setBusy(bool on) = 0;
};

// How start-up ended; every outcome but Ready has shown its message and ends the editor.
enum class StartupOutcome { Ready, NoMonitor, Calibrated, FirstReadFailed };

// The monitor's tone-data protocol over one channel, working on the editor's curve model.
// Failures are shown through the feedback where they happen and the operation returns false.
class MonitorLink {
public:
    MonitorLink(HidReportChannel& channel, DeviceList& devices, CurveModel& model, LinkFeedback& feedback)
        : channel_(channel), devices_(devices), model_(model), feedback_(feedback) {}

    // Discovery, monitor search and the calibration check; shows MsgNoMonitor or MsgAlreadyCalibrated when refused.
    StartupOutcome connect();
    // connect, then the first read of the stored table into sourceTable, which also becomes
    // baselineTable. When the read fails, start-up ends and nothing is written on close.
    StartupOutcome startUp();
    // The closing write of baselineTable to the stored table; only after a complete start-up.
    bool writeBaselineOnClose();

    bool findSupportedMonitor();
    // Binds the channel to device and checks it: accepted vendor, release at least 30000, and
    // then (only then) a supported model name, when the device carries one at all.
    bool isSupportedMonitor(HidDeviceInfo& device);
    // Whether the bound device has a feature report for the model name; asks nothing of it.
    bool carriesModelName();
    // Whether the identity allows reading the model name at all.
    static bool hasMonitorIdentity(const HidDeviceInfo& device);
    bool isSupportedModel();
    // The bound device's model name without trailing white space; shows MsgReadFailed on failure.
    bool readModelName(std::string& name);
    static bool isSupportedModelName(std::string_view name);
    bool isAlreadyCalibrated();
    bool ensureReady();

    bool readMonitorTable(ToneTable& destination, TableBank bank);
    // On failure the blocks read so far are in destination.
    bool readTableBlocks(ToneTable& destination, TableBank bank);
    bool writeTableBlocks(const ToneTable& source, TableBank bank);

    static std::uint16_t packLevel(int level);
    static std::uint16_t unpackLevel(std::uint16_t word);

    // The menu commands "Read from Monitor" and "Write to Monitor".
    bool readFromMonitor();
    bool writeToMonitor();
    // Preview switched on: remembers the monitor's preview table in the undo history, then
    // previews currentTable. When that read fails nothing is pushed and nothing is written.
    bool previewSwitchedOn();
    // The model owner's service: a preview or permanent write with the busy cursor shown.
    bool writeModelTable(const ToneTable& table, MonitorTable which);

private:
    // Busy cursor for the lifetime of the scope; nested scopes show it once.
    class BusyScope {
    public:
        explicit BusyScope(MonitorLink& link);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        MonitorLink& link_;
    };

    bool fail(int stringId);
    // Addresses block k of the bank for the next block transfer; shows MsgWriteFailed on failure.
    bool selectBlock(TableBank bank, int k);

    HidReportChannel& channel_;
    DeviceList& devices_;
    CurveModel& model_;
    LinkFeedback& feedback_;
    int busyDepth_ = 0;
    int messagesShown_ = 0;
    bool started_ = false;
};

}  // namespace grayden
