#include "MonitorCommand.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "MonitorLookup.h"
#include "device/MonitorSession.h"
#include "device/PlatformFactory.h"
#include "device/TonePacking.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidDeviceInfo.h"
#include "device/hid/HidReportChannel.h"
#include "device/hid/PermissionHints.h"
#include "engine/GammaCurves.h"
#include "engine/ToneFile.h"
#include "platform/FileSave.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"

namespace grayden::ctl {

namespace {

constexpr const char* MonitorUsage =
    "usage: graydenctl monitor list [--device PATH]\n"
    "       graydenctl monitor status [--device PATH]\n"
    "       graydenctl monitor read [--bank stored|preview] [--out FILE] [--device PATH]\n"
    "       graydenctl monitor write FILE [--bank stored|preview] [--verify] [--device PATH]\n"
    "  list     every HID interface (each top-level collection of a node on its own line): path,\n"
    "           vendor, product, release, and whether it is the monitor\n"
    "  status   mode register, status word, calibration and gamma code of the monitor\n"
    "  read     print the monitor's table as a tone file; 'stored' (default) reads it as the\n"
    "           editor does at start-up, 'preview' reads the preview table\n"
    "  write    write a tone file's table to the monitor's stored (default) or preview table;\n"
    "           --verify reads it back and fails unless the monitor holds what was written\n"
    "           (each level as the monitor's packing stores it)\n"
    "  --device PATH  use only the HID interface at PATH (as list prints it), to choose one of\n"
    "           several monitors; list then shows only that interface\n"
    "  GRAYDEN_SIMULATOR=FILE uses the simulated monitor whose memory is kept in FILE.\n";

int usageError(const std::string& why) { return ctl::usageError("monitor", why, MonitorUsage); }

// One conversation with the monitor, with every device or only the one at devicePath; a
// terminal has no busy cursor.
struct Session {
    Session(HidPlatform& platform, const std::string& devicePath)
        : devices(platform), channel(platform), monitor(channel, devices, nullptr), onlyPath(devicePath) {
        devices.restrictToPath(devicePath);
    }
    DeviceList devices;
    HidReportChannel channel;
    MonitorSession monitor;
    std::string onlyPath;
};

void printMessage(int stringId) { failure(messageText(stringId)); }

// One message for every device the search passed over because its identification could not
// be read, as the editor shows them.
void reportUnreadableIdentities(Session& session) {
    for (int i = 0; i < session.monitor.unreadableIdentities(); ++i)
        printMessage(sessionMessageId(SessionError::ReadFailed));
}

// After the no-monitor message: the nodes that might have been the monitor had they opened,
// and which one alone was searched when a device was named.
void hintUnopenedNodes(Session& session) {
    std::fputs(unopenedMonitorHints(session.devices).c_str(), stderr);
    if (!session.onlyPath.empty()) {
        failure("Only " + session.onlyPath + " was searched; 'graydenctl monitor list' shows every device path.");
    }
}

// Says why a transfer failed, in the editor's words; the calibrated bit, set after the
// connection's check, fails it without a message as it does in the editor.
bool transferred(SessionError error) {
    if (error == SessionError::None) return true;
    if (error != SessionError::Calibrated) printMessage(sessionMessageId(error));
    return false;
}

// The search and the calibration check, as the editor starts; a missing monitor also names
// the unopened nodes.
bool connected(Session& session) {
    const SessionError connection = session.monitor.connect();
    reportUnreadableIdentities(session);
    if (connection == SessionError::None) return true;
    if (connection == SessionError::Calibrated) {
        printMessage(sessionMessageId(connection));
    } else {
        printMessage(sessionMessageId(SessionError::NoMonitor));
        hintUnopenedNodes(session);
    }
    return false;
}

std::string printableName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        }
    }
    return out;
}

// Also tells whether a supported monitor reports itself calibrated; only its status word is
// read for that, so listing never writes to a device.
std::string verdictFor(Session& session, HidDeviceInfo& device, bool& calibrated) {
    if (!isAcceptedVendor(device.vendorId)) return "vendor not accepted";
    if (!MonitorSession::hasMonitorIdentity(device)) return "accepted vendor, release below 30000";
    session.channel.bindDevice(&device);
    if (!session.monitor.carriesModelName()) return "accepted vendor, no model name report";
    std::string name;
    if (const SessionError read = session.monitor.readModelName(name); read != SessionError::None) {
        printMessage(sessionMessageId(read));
        return "accepted vendor, model name unreadable";
    }
    if (MonitorSession::isSupportedModelName(name)) {
        if (session.monitor.probeCalibration(CalibrationProbe::ReadOnly) == SessionError::Calibrated) {
            calibrated = true;
            return "supported monitor " + name + ", calibrated";
        }
        return "supported monitor " + name;
    }
    return "accepted vendor, model \"" + printableName(name) + "\" not supported";
}

// Names the top-level collection a record stands for when its node has more than one.
std::string collectionOf(const HidDeviceInfo& record) {
    const std::size_t count = record.parserData ? record.parserData->collections.size() : 1;
    if (count < 2) return "";
    char text[96];
    std::snprintf(text, sizeof text, "collection %zu of %zu (usage page 0x%04x, usage 0x%04x), ", record.collection + 1,
                  count, record.caps.usagePage, record.caps.usage);
    return text;
}

int listDevices(HidPlatform& platform, const std::string& onlyPath) {
    Session session(platform, "");
    std::vector<std::unique_ptr<HidDeviceInfo>> records;
    EnumerationReport report;
    if (!enumerateHidDevices(platform, records, &report)) return failure(messageText(MsgNoMonitor));
    std::string lines;
    bool calibrated = false;
    for (const auto& record : records) {
        if (!onlyPath.empty() && record->devicePath != onlyPath) continue;
        lines += record->devicePath + "  " + collectionOf(*record) + "vendor " + std::to_string(record->vendorId) +
                 ", product " + std::to_string(record->productId) + ", release " +
                 std::to_string(record->versionNumber) + ": " + verdictFor(session, *record, calibrated) + "\n";
    }
    session.channel.bindDevice(nullptr);
    for (auto& record : records) closeHidDevice(platform, std::move(record));
    for (const std::string& path : report.permissionDenied) {
        if (!onlyPath.empty() && path != onlyPath) continue;
        lines += mayBeAcceptedDevice(platform, path) ? udevRuleHint(path) : path + "  permission denied\n";
    }
    if (const int status = printStdout(lines); status != ExitOk) return status;
    // Like every monitor subcommand, the listing fails on a calibrated monitor, after its lines.
    return calibrated ? failure(messageText(MsgAlreadyCalibrated)) : ExitOk;
}

int showStatus(HidPlatform& platform, const std::string& onlyPath) {
    Session session(platform, onlyPath);
    const bool found = session.devices.discoverDevices() && session.monitor.findMonitor() == SessionError::None;
    reportUnreadableIdentities(session);
    if (!found) {
        failure(messageText(MsgNoMonitor));
        hintUnopenedNodes(session);
        return ExitFailure;
    }
    std::uint16_t mode = 0, status = 0, gammaCode = 0;
    if (!readRegister(session.channel, UsageMode, VendorPageA, mode) ||
        !readRegister(session.channel, UsageStatus, VendorPageB, status) ||
        !readRegister(session.channel, UsageGammaCode, VendorPageA, gammaCode)) {
        return failure(messageText(MsgReadFailed));
    }
    const bool calibrated = isCalibratedStatus(status);
    char text[256];
    std::snprintf(text, sizeof text, "mode register: %u\nstatus word: 0x%04x\ncalibrated: %s\ngamma code: %u", mode,
                  status, calibrated ? "yes" : "no", gammaCode);
    std::string lines = text;
    if (gammaCode == CustomTableGammaCode) {
        lines += " (custom table)\n";
    } else {
        std::snprintf(text, sizeof text, " (gamma %.1f)\n", monitorGammaForCode(gammaCode));
        lines += text;
    }
    if (const int status = printStdout(lines); status != ExitOk) return status;
    // A calibrated monitor refuses tone data; say so as the editor would.
    return calibrated ? failure(messageText(MsgAlreadyCalibrated)) : ExitOk;
}

enum class Subcommand { List, Status, Read, Write };

struct TransferOptions {
    TableBank bank = TableBank::Stored;
    std::optional<std::string> outPath;
    std::optional<std::string> inPath;
    std::string devicePath;  // empty: the first supported monitor
    bool verify = false;
};

// Parses the options of every subcommand: --device for all, --bank for read and write, --out
// for read, --verify and one FILE operand for write.
std::optional<int> parseTransferOptions(int argc, char** argv, Subcommand sub, TransferOptions& o) {
    const bool isWrite = sub == Subcommand::Write;
    const bool isTransfer = isWrite || sub == Subcommand::Read;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return printStdout(MonitorUsage);
        }
        if (arg == "--device") {
            if (i + 1 >= argc) return usageError(arg + " needs a value");
            o.devicePath = listedDevicePath(argv[++i]);
            if (o.devicePath.empty()) return usageError("--device needs a device path");
        } else if (arg == "--verify" && isWrite) {
            o.verify = true;
        } else if (!isTransfer) {
            return usageError("unknown argument: " + arg);
        } else if (arg == "--bank" || (arg == "--out" && !isWrite)) {
            if (i + 1 >= argc) return usageError(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--out") {
                o.outPath = value;
            } else if (value == "stored" || value == "preview") {
                o.bank = value == "stored" ? TableBank::Stored : TableBank::Preview;
            } else {
                return usageError("--bank takes stored or preview, not " + value);
            }
        } else if (isWrite && !o.inPath && !arg.starts_with("--")) {
            o.inPath = arg;
        } else {
            return usageError("unknown argument: " + arg);
        }
    }
    if (isWrite && !o.inPath) return usageError("write needs a tone file");
    return std::nullopt;
}

int readTable(HidPlatform& platform, const TransferOptions& o) {
    Session session(platform, o.devicePath);
    ToneTable table{};
    if (!connected(session)) return ExitFailure;
    if (o.bank == TableBank::Stored) {
        // As the editor starts: a gamma code gives the table computed for the initial panel
        // gamma, and a monitor calibrated since the check is refused as at the check.
        const SessionError read = session.monitor.readTable(TableBank::Stored, DefaultPanelGamma, table);
        if (read == SessionError::Calibrated) return failure(messageText(sessionMessageId(read)));
        if (!transferred(read)) return ExitFailure;
    } else if (!transferred(session.monitor.readBlocks(TableBank::Preview, table))) {
        return ExitFailure;
    }
    // A monitor's table may hold levels up to 8184; print them as a tone file reader loads them,
    // so the output is a valid tone file.
    for (std::uint16_t& level : table) level = std::min<std::uint16_t>(level, FullScale);
    const std::string text = formatToneText(table);
    if (o.outPath)
        return saveFile(*o.outPath, text) ? ExitOk : failure(messageText(toneFileMessageId(ToneFileError::CannotOpen)));
    return printStdout(text);
}

// Reads the bank back and compares every level with what the packing makes of the level
// written (1025 is stored as 1026, for one); a difference is a write that did not land.
bool verified(Session& session, TableBank bank, const ToneTable& written) {
    ToneTable back{};
    if (!transferred(session.monitor.readBlocks(bank, back))) return false;
    int differing = 0;
    int first = -1;
    for (int i = 0; i < LevelCount; ++i) {
        if (back[i] == unpackToneWord(packToneLevel(written[i]))) continue;
        if (differing++ == 0) first = i;
    }
    if (differing == 0) return true;
    const char* name = bank == TableBank::Stored ? "stored" : "preview";
    failure(std::string("Verification failed: the monitor's ") + name + " table differs from what was written at " +
            std::to_string(differing) + (differing == 1 ? " level" : " levels") + "; level " + std::to_string(first) +
            " holds " + std::to_string(back[first]) + " instead of " +
            std::to_string(unpackToneWord(packToneLevel(written[first]))) + ".");
    return false;
}

int writeTable(HidPlatform& platform, const TransferOptions& o) {
    // The file is read before the monitor is touched; its values, clamped, are the table.
    ToneTable table{};
    if (const ToneFileError error = readToneFile(*o.inPath, table); error != ToneFileError::None) {
        return failure(messageText(toneFileMessageId(error)));
    }
    Session session(platform, o.devicePath);
    if (!connected(session)) return ExitFailure;
    if (!transferred(session.monitor.writeTable(o.bank, table))) return ExitFailure;
    return !o.verify || verified(session, o.bank, table) ? ExitOk : ExitFailure;
}

}  // namespace

int runMonitorCommand(int argc, char** argv) {
    if (argc < 1) return usageError("a subcommand is required");
    const std::string sub = argv[0];
    if (sub == "--help" || sub == "-h") {
        return printStdout(MonitorUsage);
    }
    Subcommand which = Subcommand::List;
    if (sub == "status") {
        which = Subcommand::Status;
    } else if (sub == "read") {
        which = Subcommand::Read;
    } else if (sub == "write") {
        which = Subcommand::Write;
    } else if (sub != "list") {
        return usageError("unknown subcommand: " + sub);
    }
    TransferOptions options;
    if (const auto status = parseTransferOptions(argc - 1, argv + 1, which, options)) return *status;

    std::string error;
    const std::unique_ptr<HidPlatform> platform = makeHidPlatform(error);
    if (!platform) return failure(error);
    if (sub == "list") return listDevices(*platform, options.devicePath);
    if (sub == "status") return showStatus(*platform, options.devicePath);
    if (sub == "read") return readTable(*platform, options);
    return writeTable(*platform, options);
}

}  // namespace grayden::ctl
