#pragma once

#include <optional>
#include <string>

#include "engine/MonitorHistory.h"

namespace grayden::ctl {

// A named device as discovery lists it: a file system path (a udev link, say) by the node it
// leads to; anything else, such as a simulated device's name, as given.
std::string listedDevicePath(const std::string& path);

// The monitor the other commands would use (only the one at devicePath when it is not empty),
// found by reading identifications alone: nothing is written to any device. None when there is
// none; when the devices cannot be reached at all, error says why.
std::optional<FoundMonitor> lookUpMonitor(const std::string& devicePath, std::string& error);

}  // namespace grayden::ctl
