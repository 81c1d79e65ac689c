#pragma once

#include "engine/ToneTable.h"

namespace grayden {

// Which of the monitor's tables a transfer of the curve document goes to.
enum class MonitorTable { Preview, Permanent };

// The curve document's only way to the monitor. The editor's monitor link implements it and is
// the one writer; every call shows its own failure message and returns false, and a destination
// changes only on success.
class MonitorPort {
public:
    virtual ~MonitorPort() = default;
    // The table the monitor applies from one of its banks, for a panel of panelGamma.
    virtual bool readTable(MonitorTable which, double panelGamma, ToneTable& table) = 0;
    // The preview bank's blocks as they stand, whatever kind of table the monitor applies.
    virtual bool readPreviewBlocks(ToneTable& table) = 0;
    // Writes a table with the busy cursor shown.
    virtual bool writeTable(MonitorTable which, const ToneTable& table) = 0;
    // Keeps the busy cursor up across the transfers of one command; calls nest.
    virtual void holdBusy(bool on) = 0;
};

// A document with no monitor, for tools and tests: nothing can be read, writes go nowhere.
class DetachedMonitor final : public MonitorPort {
public:
    bool readTable(MonitorTable, double, ToneTable&) override { return false; }
    bool readPreviewBlocks(ToneTable&) override { return false; }
    bool writeTable(MonitorTable, const ToneTable&) override { return true; }
    void holdBusy(bool) override {}
};

}  // namespace grayden
