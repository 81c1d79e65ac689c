#pragma once

#include <cstdint>

#include "engine/ToneTable.h"

namespace grayden {

// The user's action a record undoes; it decides what undoing does besides restoring the table.
enum class UndoAction {
    Edit,                 // any change of the curve: a grab, a typed value, Open, Read, a new curve or count
    WriteToMonitor,       // the table saved is the former baselineTable
    WriteChangedMonitor,  // the same, when the written table differs from what the monitor showed
    PreviewOn,            // the table saved is the monitor's preview table before the switch
};

// What undoing a record does besides restoring its table.
struct UndoEffects {
    bool sendToMonitor = false;     // undoing writes the restored table to the monitor
    bool restoresBaseline = false;  // the table is a former baselineTable
    bool rebuild = false;           // undoing rebuilds the curve from the restored table
};

struct UndoRecord {
    ToneTable table{};
    std::uint16_t pointCountIndex = 0;
    UndoEffects effects;
};

// pushUndo drops the oldest record once the history holds more than this many.
constexpr int MaxUndoRecords = 256;

}  // namespace grayden
