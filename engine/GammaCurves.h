#pragma once

#include <vector>

#include "engine/ToneTable.h"

namespace grayden {

// Exponent limits the Default Curve Setting dialog accepts, and those a stored panel gamma must keep.
constexpr double MinExponent = 0.5;
constexpr double MaxExponent = 10.0;
constexpr double MinPanelGamma = 0.1;
constexpr double MaxPanelGamma = 10.0;
constexpr double DefaultExponent = 1.0;
constexpr double DefaultPanelGamma = 2.2;

// 8 × trunc(i^g × 1020 / 255^g): the power curve quantised to multiples of 8.
ToneTable makeDefaultCurve(double exponent);

// The table that gives a total response of gamma G on a panel of the given native gamma.
ToneTable makeMonitorGammaCurve(double gamma, double panelGamma);

// Light output for every drive level 0..8160 of a panel with the given gamma.
using PanelResponse = std::vector<std::uint16_t>;
PanelResponse makePanelResponse(double panelGamma);

// Expected output at one input level when the table drives a panel with that response.
std::uint16_t outputCurve(const ToneTable& table, const PanelResponse& response, int level);

double totalGamma(double exponent, double panelGamma);

// The gamma a monitor reports by code c (any code but 255): 0.2 × c + 1.4.
double monitorGammaForCode(int code);

}  // namespace grayden
