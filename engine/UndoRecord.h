#pragma once

#include <cstdint>

#include "engine/ToneTable.h"

namespace grayden {

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
