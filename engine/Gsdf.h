#pragma once

namespace grayden {

// The greyscale standard display function: luminance in cd/m² over the just-noticeable
// difference index j, defined for j in 1..1023 (about 0.05 to 3993 cd/m²).
constexpr double MinJndIndex = 1.0;
constexpr double MaxJndIndex = 1023.0;
// The luminance range a display may be calibrated over, ambient light included.
constexpr double MinGsdfLuminance = 0.05;
constexpr double MaxGsdfLuminance = 4000.0;

// L(j); j is held to 1..1023.
double gsdfLuminance(double jndIndex);
// j(L), the exact inverse of gsdfLuminance over its range; L is held to L(1)..L(1023).
double gsdfJndIndex(double luminance);

}  // namespace grayden
