#pragma once

#include <cstdint>

#include "engine/ToneTable.h"

namespace grayden {

struct UndoRecord {
    ToneTable table{};
    std::uint16_t pointCountIndex = 0;
    bool sendToMonitor = false;    // undoing writes the restored table to the monitor
    bool restoresBaseline = false; // the table is a former baselineTable
    bool rebuild = false;          // undoing rebuilds the curve from the restored table
};

// pushUndo drops the oldest record once the history holds more than this many.
constexpr int MaxUndoRecords = 256;

}  // namespace grayden
