#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GsdfError.h"

namespace grayden {

// A measurement file must hold at least this many levels; larger files than the limit are
// refused before anything is read.
constexpr int MinMeasurementCount = 8;
constexpr std::uint64_t MaxMeasurementFileBytes = 1024 * 1024;

// The light measured while one input level was shown.
struct Measurement {
    int level = 0;         // 0..255
    double luminance = 0;  // cd/m², above 0
    int line = 0;          // where it stood in its file, for messages about it
};
using MeasurementList = std::vector<Measurement>;

// Reads "level,luminance" lines: levels whole numbers 0..255 in strictly increasing order,
// luminances positive decimal numbers. Blank lines, lines starting with '#' and one leading
// "level,luminance" heading are skipped; spaces around fields and CR LF line ends are allowed.
// On a problem, measurements is left as it was and the problem names its line.
GsdfProblem parseMeasurements(std::string_view text, MeasurementList& measurements);
// A file that cannot be read gives CannotReadMeasurements with the read error and errno.
GsdfProblem readMeasurementFile(const std::string& path, MeasurementList& measurements);

// What both a curve and a report ask of measurements: at least MinMeasurementCount, levels
// 0..255 rising strictly, luminances positive and, with the ambient light, within 0.05..4000.
GsdfProblem checkMeasurements(std::span<const Measurement> measurements, double ambient);

// The text of a measurement file as parseMeasurements reads it: '#' lines with when it was taken
// and the ambient light (or that none was measured), the heading, then one line per level, each
// luminance in the fewest digits that read back as the same number.
std::string formatMeasurementText(std::span<const Measurement> measurements, std::optional<double> ambient,
                                  std::string_view takenAt);
// The ambient light a measurement file records in its "# ambient L cd/m2" line, if it has one.
std::optional<double> recordedAmbient(std::string_view text);

}  // namespace grayden
