#pragma once

#include <memory>
#include <string>

#include "device/hid/HidPlatform.h"

namespace grayden {

// Names the simulated monitor's state file; when set (and not empty) the programs talk to the
// simulated monitor instead of the hidraw devices.
constexpr const char* SimulatorVariable = "GRAYDEN_SIMULATOR";

// The platform the programs talk through. Null, with the reason in error, when the simulator's
// state file cannot be used; the file is then left as it was.
std::unique_ptr<HidPlatform> makeHidPlatform(std::string& error);

}  // namespace grayden
