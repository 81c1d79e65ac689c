#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "device/BusyFeedback.h"
#include "device/MonitorProtocol.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidReportChannel.h"
#include "engine/MonitorHistory.h"
#include "engine/ToneTable.h"

namespace grayden {

// Why a monitor operation stopped. None is success; the caller decides what the user is told.
enum class SessionError {
    None,
    NoMonitor,    // no accepted device, or none of them is a supported monitor
    Calibrated,   // the status word's calibrated bit is set: tone data is locked
    ReadFailed,   // a value could not be read from the monitor
    WriteFailed,  // a value could not be written to the monitor
    Gone,         // no monitor is bound: none was found, or the devices were released
    Busy,         // the monitor is busy: another program's table transfer went on for the whole wait
};

// What the calibration probe may do to the monitor and how it treats a failed exchange.
enum class CalibrationProbe {
    // Puts the mode register to its working value first; a failed exchange says "not
    // calibrated", since only a status word read with the bit set refuses the start.
    StartUp,
    // The readiness check before every table transfer: sets the mode register, and every failed
    // exchange stops the transfer with its error. Shows the busy cursor.
    Transfer,
    // Reads the status word alone, so looking at a device never writes to it.
    ReadOnly,
};

// The monitor's tone-data protocol over one channel: finding the monitor among the accepted
// devices, identification, the calibration probe and whole-table transfers in either bank.
// It knows tables only; what they mean to an editing session is its caller's business.
class MonitorSession {
public:
    // Busy cursor for the lifetime of the scope; nested scopes show it once.
    class BusyScope {
    public:
        explicit BusyScope(MonitorSession& session);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        MonitorSession& session_;
    };

    // How long a block transfer waits for another program's transfer on the same monitor to end:
    // long enough for several whole tables, so two writes started together both land in turn.
    static constexpr std::chrono::milliseconds TransferLockWait{5000};

    // busy may be null when nobody watches.
    MonitorSession(HidReportChannel& channel, DeviceList& devices, BusyFeedback* busy)
        : channel_(channel), devices_(devices), busy_(busy) {}

    // Discovery, the monitor search and the start-up calibration probe: None, NoMonitor or
    // Calibrated. The identifications that could not be read are counted on the way.
    SessionError connect();
    // Binds the channel to the first supported monitor of the device list: None or NoMonitor.
    SessionError findMonitor();
    // Devices the last search passed over because their identification could not be read.
    int unreadableIdentities() const { return unreadableIdentities_; }
    // Unbinds the channel and closes every listed device; later transfers end with Gone.
    void release();

    // Whether the identity allows reading the model name at all.
    static bool hasMonitorIdentity(const HidDeviceInfo& device);
    // Whether the bound device has a feature report for the model name; asks nothing of it.
    bool carriesModelName();
    // The bound device's model name without trailing white space.
    SessionError readModelName(std::string& name);
    static bool isSupportedModelName(std::string_view name);
    // The bound monitor's model name, maker, product, serial number where it has one, and device
    // path: what its history is kept by. found changes only on success.
    SessionError readIdentity(FoundMonitor& found);

    // None, or Calibrated when the bit is set; a Transfer probe also reports failed exchanges.
    SessionError probeCalibration(CalibrationProbe probe);

    // The monitor's current table: read in blocks from the bank when it holds a custom table,
    // otherwise computed from its gamma code for a panel of panelGamma. destination changes
    // only on success.
    SessionError readTable(TableBank bank, double panelGamma, ToneTable& destination);
    // The four blocks of a bank; on failure the blocks read so far are in destination. Block
    // transfers hold the monitor's transfer lock from the readiness check to the last block, as
    // reads too select blocks: a select of one program between another's select and its block
    // would move that block, and a read beside a write would get half of each table.
    SessionError readBlocks(TableBank bank, ToneTable& destination);
    SessionError writeTable(TableBank bank, const ToneTable& source);
    // The table the monitor holds permanently, put back in place of any preview when the
    // editing ends; with the busy cursor.
    SessionError writeClosing(const ToneTable& stored);

private:
    // Binds the channel to device and checks it: None when it is a supported monitor,
    // ReadFailed when its model name could not be read, NoMonitor otherwise.
    SessionError identify(HidDeviceInfo& device);
    // Runs the block exchanges under the monitor's transfer lock, after the readiness check;
    // a lock that cannot be had at all ends with lockFailed.
    SessionError lockedTransfer(SessionError lockFailed, const std::function<SessionError()>& blocks);
    // Addresses block k of the bank for the next block transfer.
    SessionError selectBlock(TableBank bank, int k);
    bool isBound() const { return channel_.boundDevice() != nullptr; }

    HidReportChannel& channel_;
    DeviceList& devices_;
    BusyFeedback* busy_;
    int busyDepth_ = 0;
    int unreadableIdentities_ = 0;
};

}  // namespace grayden
