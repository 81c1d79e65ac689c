#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/HistoryRecord.h"
#include "platform/FileRead.h"

namespace grayden {

// What tells one monitor from another for its history, wherever it is plugged in: its model,
// maker and product, and its USB serial number where it has one.
struct MonitorIdentity {
    std::string model;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string serialNumber;  // empty when the monitor has none
};

// A monitor as a report names it: who it is and the device it was found at.
struct FoundMonitor {
    MonitorIdentity identity;
    std::string devicePath;
};

// ${XDG_DATA_HOME:-~/.local/share}/grayden/history, or empty when neither variable names a
// folder. XDG_DATA_HOME counts only when it is an absolute path.
std::string historyFolder();
// The monitor's file in that folder: QT440-1268-0440.jsonl, or QT440-1268-0440-SERIAL.jsonl,
// its model name and serial number kept to letters, digits, '.', '_' and '-'.
std::string historyFileName(const MonitorIdentity& identity);
// That file with the folder before it; empty when there is no folder.
std::string historyFilePath(const MonitorIdentity& identity);

// Adds the record as one line at the end of the file, creating the file and its folder when
// needed; the lines already there are never rewritten. False when it cannot be written.
bool appendHistoryRecord(const std::string& path, const HistoryRecord& record);

struct MonitorHistory {
    std::vector<HistoryRecord> records;  // in the order they were added
    std::vector<int> corruptLines;       // 1-based lines that are not a record, skipped
};

// A history file larger than this is refused before it is read (about 150,000 reports).
constexpr std::uint64_t MaxHistoryFileBytes = 64 * 1024 * 1024;

// Reads every record of the file; blank lines are passed over and corrupt ones named. A
// missing file is an empty history.
FileReadError readHistoryFile(const std::string& path, MonitorHistory& history);
void parseHistoryText(std::string_view text, MonitorHistory& history);

}  // namespace grayden
