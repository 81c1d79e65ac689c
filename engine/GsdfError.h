#pragma once

#include "platform/FileRead.h"

namespace grayden {

// Why a greyscale-standard curve or report could not be made. Problems of a measurement file
// come with the line they were found on.
enum class GsdfError {
    None,
    LuminanceOutOfRange,   // minimum or maximum (ambient light included) outside 0.05..4000, or no number
    LuminanceOrder,        // the maximum luminance is not above the minimum
    AmbientNegative,       // the ambient luminance is below 0, or no number
    PanelGammaOutOfRange,  // outside 0.1..10
    CannotReadMeasurements,
    MeasurementSyntax,      // line: not "level,luminance"
    LevelOutOfRange,        // line: the level is not a whole number 0..255
    LevelNotIncreasing,     // line: the level is not above the one before
    LuminanceNotPositive,   // line: the luminance is not a positive number
    TooFewMeasurements,     // fewer than MinMeasurementCount levels
    ResponseDecreasing,     // line: less light than at a lower drive value
    ResponseFlat,           // the measured light does not rise from the first to the last drive value
    OutsideGsdfRange,       // line: a measured luminance (ambient light included) outside 0.05..4000
    TargetOutsideMeasured,  // no level of the target lies within the measured luminances
};

struct GsdfProblem {
    GsdfError error = GsdfError::None;
    int line = 0;  // 1-based line of the measurement file, or 0 when no line is at fault
    // Why a measurement file could not be read, with the errno the system gave where it gave one.
    FileReadError readError = FileReadError::None;
    int systemError = 0;

    bool ok() const { return error == GsdfError::None; }
};

}  // namespace grayden
