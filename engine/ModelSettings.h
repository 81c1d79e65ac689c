#pragma once

#include <cstdint>

#include "engine/ControlPoint.h"
#include "engine/GammaCurves.h"

namespace grayden {

// The document's values that the settings store keeps between sessions.
struct ModelSettings {
    std::uint16_t pointCountIndex = DefaultPointCountIndex;
    double exponent = DefaultExponent;
    double panelGamma = DefaultPanelGamma;
    bool previewOn = false;
    bool showOutputCurve = false;
    std::uint16_t windowWidth = 800;
    std::uint16_t windowHeight = 600;
};

}  // namespace grayden
