#include "device/PlatformFactory.h"

#include <cstdlib>

#include "device/hidraw/HidrawPlatform.h"
#include "device/simulated/SimulatedMonitorPlatform.h"

namespace grayden {

std::unique_ptr<HidPlatform> makeHidPlatform(std::string& error) {
    const char* statePath = std::getenv(SimulatorVariable);
    if (statePath == nullptr || *statePath == '\0') return std::make_unique<HidrawPlatform>();
    return SimulatedMonitorPlatform::fromStateFile(statePath, error);
}

}  // namespace grayden
