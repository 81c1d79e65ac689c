#include "ReportCommand.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "Plots.h"
#include "engine/ConformanceReport.h"
#include "engine/Measurements.h"
#include "engine/ToneFile.h"
#include "resources/ErrorMessages.h"

namespace grayden::ctl {

namespace {

constexpr const char* ReportUsage =
    "usage: graydenctl report --measured FILE --table FILE [--tolerance PCT] [--ambient L]\n"
    "                         [--plot FILE.svg|FILE.png]\n"
    "  Compares the contrast response of a display with the DICOM greyscale standard display\n"
    "  function, step by step between neighbouring measured levels (AAPM TG18).\n"
    "  --measured FILE   level,luminance lines (cd/m2) measured at 8 or more input levels\n"
    "  --table FILE      the tone file whose table was in the monitor while measuring\n"
    "  --tolerance PCT   the largest deviation that passes, in percent (default 10)\n"
    "  --ambient L       room light reflected by the screen, in cd/m2 (default 0)\n"
    "  --plot FILE       also draw the luminance and the contrast response, as SVG or PNG\n"
    "  Exit status: 0 when every step is within the tolerance, 1 when not or on an error.\n";

struct ReportOptions {
    std::optional<std::string> measuredPath;
    std::optional<std::string> tablePath;
    std::optional<std::string> plotPath;
    ConformanceOptions conformance;
};

int usageError(const std::string& why) { return ctl::usageError("report", why, ReportUsage); }

std::optional<int> parseReportOptions(int argc, char** argv, ReportOptions& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return printStdout(ReportUsage);
        if (arg != "--measured" && arg != "--table" && arg != "--tolerance" && arg != "--ambient" && arg != "--plot") {
            return usageError("unknown argument: " + arg);
        }
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--measured") {
            o.measuredPath = value;
        } else if (arg == "--table") {
            o.tablePath = value;
        } else if (arg == "--plot") {
            if (!isPlotFileName(value)) return usageError("--plot takes a file name ending in .svg or .png");
            o.plotPath = value;
        } else if (arg == "--tolerance") {
            double& t = o.conformance.tolerancePercent;
            if (!parseWholeDouble(value, t) || !(t > 0 && t <= 100)) {
                return usageError("--tolerance takes a percentage above 0 and at most 100, not " + value);
            }
        } else if (!parseWholeDouble(value, o.conformance.ambient) || o.conformance.ambient < 0) {
            return usageError("--ambient takes a luminance of 0 or more in cd/m2, not " + value);
        }
    }
    if (!o.measuredPath || !o.tablePath) return usageError("--measured and --table are required");
    return std::nullopt;
}

std::string formatted(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// One line per step: its levels and drive values, the measured luminances, the contrast
// response observed and the standard's, and the deviation, marked where it is out of tolerance.
std::string reportText(const ConformanceReport& report, const ToneTable& table) {
    std::string text = formatted("%-5s %-9s %-11s %-21s %-9s %-9s %s\n", "step", "levels", "drive", "luminance cd/m2",
                                 "observed", "expected", "deviation");
    for (std::size_t k = 0; k < report.steps.size(); ++k) {
        const ConformanceStep& s = report.steps[k];
        const std::string levels = std::to_string(s.lowerLevel) + "-" + std::to_string(s.upperLevel);
        const std::string drives = std::to_string(clampLevel<int>(table[s.lowerLevel])) + "-" +
                                   std::to_string(clampLevel<int>(table[s.upperLevel]));
        const std::string light = formatted("%.4g-%.4g", s.lowerLuminance, s.upperLuminance);
        const bool outside = !(std::abs(s.deviationPercent) <= report.tolerancePercent);
        text += formatted("%-5zu %-9s %-11s %-21s %-9.5f %-9.5f %+.1f %%%s\n", k + 1, levels.c_str(), drives.c_str(),
                          light.c_str(), s.observed, s.expected, s.deviationPercent, outside ? "  outside" : "");
    }
    const ConformanceStep& worst = report.steps[report.worstStep];
    text += formatted("largest deviation: %+.1f %% (step %d, levels %d-%d)\n", report.largestDeviationPercent,
                      report.worstStep + 1, worst.lowerLevel, worst.upperLevel);
    text += formatted("tolerance: %.1f %%\n", report.tolerancePercent);
    text += std::string("verdict: ") + (report.passed ? "pass" : "fail") + "\n";
    return text;
}

}  // namespace

int runReportCommand(int argc, char** argv) {
    ReportOptions o;
    if (const auto status = parseReportOptions(argc, argv, o)) return *status;

    MeasurementList measurements;
    if (const GsdfProblem problem = readMeasurementFile(*o.measuredPath, measurements); !problem.ok()) {
        return failure(problemText(problem, *o.measuredPath));
    }
    ToneTable table{};
    if (const ToneFileError error = readToneFile(*o.tablePath, table); error != ToneFileError::None) {
        return failure(*o.tablePath + ": " + messageText(toneFileMessageId(error)));
    }
    ConformanceReport report;
    if (const GsdfProblem problem = makeConformanceReport(measurements, o.conformance, report); !problem.ok()) {
        return failure(problemText(problem, *o.measuredPath));
    }
    if (o.plotPath) {
        std::string error;
        if (!saveReportPlot(*o.plotPath, report, measurements, error)) return failure(error);
    }
    if (const int status = printStdout(reportText(report, table)); status != ExitOk) return status;
    return report.passed ? ExitOk : ExitFailure;
}

}  // namespace grayden::ctl
