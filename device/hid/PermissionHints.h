#pragma once

#include <string>

namespace grayden {

class DeviceList;

// The line that tells the user how to reach a node that could not be opened and may be the
// monitor: install the udev rule shipped with the project and replug the monitor.
std::string udevRuleHint(const std::string& path);

// After a search that found no monitor: one udev hint line for each node the last discovery
// could not open whose vendor is accepted or unknown; empty when there is none.
std::string unopenedMonitorHints(DeviceList& devices);

}  // namespace grayden
