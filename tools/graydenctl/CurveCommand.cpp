#include "CurveCommand.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CommandLine.h"
#include "Plots.h"
#include "engine/CurveModel.h"
#include "engine/GammaCurves.h"
#include "engine/GsdfCurve.h"
#include "engine/ToneFile.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"

namespace grayden::ctl {

namespace {

constexpr const char* CurveUsage =
    "usage: graydenctl curve [--points N] [--panel-gamma G] SOURCE [--set LEVEL=VALUE]...\n"
    "                        [--out FILE] [--print points] [--plot FILE.svg|FILE.png]\n"
    "  SOURCE is one of:\n"
    "    --csv FILE          a tone file\n"
    "    --default-curve E   the default curve with exponent E (0.5..10)\n"
    "    --monitor-gamma G   the table a monitor set to gamma G holds (uses the panel gamma)\n"
    "    --identity          the straight line 32*i\n"
    "    --gsdf --lmin L --lmax L [--ambient L] [--measured FILE --measured-table FILE]\n"
    "                        the DICOM greyscale standard display function for a panel with\n"
    "                        luminance L (cd/m2) at drive 0 and 8160 and ambient light L\n"
    "                        (default 0): for a panel of the panel gamma, or for one measured\n"
    "                        (level,luminance lines) while the tone file's table was in it\n"
    "  --points N        control points: 3, 5, 9, 16, 24, 33 or 256 (default 9, 256 for --gsdf)\n"
    "  --panel-gamma G   native gamma of the panel, 0.1..10 (default 2.2)\n"
    "  --set LEVEL=VALUE give the control point at input level LEVEL the output VALUE; both are\n"
    "                    whole decimal numbers, LEVEL in 0..255 and VALUE in 0..8160\n"
    "  --out FILE        write the tone file there instead of to standard output\n"
    "  --print points    print the control points as level,value lines instead of the table\n"
    "  --plot FILE       also draw the curve as the editor's graph does, as SVG or PNG\n"
    "  Use --points 256 to keep every level of a computed curve.\n"
    "  A measured --gsdf curve whose target reaches beyond the measured light names the clipped\n"
    "  levels on standard error; one wholly outside it is refused.\n";

// The message the Default Curve Setting dialog gives for an exponent out of range.
constexpr const char* ExponentRangeText = "Input the value between 0.5 and 10.";

enum class Source { None, Csv, DefaultCurve, MonitorGamma, Identity, Gsdf };

struct GsdfOptions {
    std::optional<double> minLuminance;
    std::optional<double> maxLuminance;
    double ambient = 0;
    std::optional<std::string> measuredPath;
    std::optional<std::string> measuredTablePath;
};

struct CurveOptions {
    Source source = Source::None;
    std::string csvPath;
    double sourceNumber = 0;
    std::optional<int> pointCountIndex;  // by default 9 points, and every level for --gsdf
    double panelGamma = DefaultPanelGamma;
    std::vector<std::pair<int, int>> edits;  // level, value
    std::optional<std::string> outPath;
    bool printPoints = false;
    GsdfOptions gsdf;
    bool gsdfOptionSeen = false;  // --lmin, --lmax, --ambient, --measured or --measured-table
    std::optional<std::string> plotPath;
};

// The editor's message in English; a file that cannot be opened is named, with why.
int toneFileFailure(ToneFileError error, const FileFailure& f) {
    std::string text = messageText(toneFileMessageId(error));
    if (error == ToneFileError::CannotOpen) {
        const int reasonId = fileFailureReasonId(f);
        text += "\n" + f.path + "\n" + (reasonId ? messageText(reasonId) : std::strerror(f.systemError));
    }
    return failure(text);
}

int usageError(const std::string& why) { return ctl::usageError("curve", why, CurveUsage); }

int pointCountIndexOf(int count) {
    for (int i = 0; i < static_cast<int>(CurvePointCount.size()); ++i) {
        if (CurvePointCount[i] == count) return i;
    }
    return -1;
}

// Fills options from the arguments; returns an exit status when parsing ends the command.
std::optional<int> parseCurveOptions(int argc, char** argv, CurveOptions& o) {
    auto setSource = [&](Source s) -> bool {
        if (o.source != Source::None) return false;
        o.source = s;
        return true;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() { return std::string(argv[++i]); };
        if (arg == "--help" || arg == "-h") {
            return printStdout(CurveUsage);
        } else if (arg == "--identity" || arg == "--gsdf") {
            if (!setSource(arg == "--gsdf" ? Source::Gsdf : Source::Identity)) {
                return usageError("only one source may be given");
            }
        } else if (!hasValue && (arg == "--csv" || arg == "--default-curve" || arg == "--monitor-gamma" ||
                                 arg == "--points" || arg == "--panel-gamma" || arg == "--set" || arg == "--out" ||
                                 arg == "--print" || arg == "--lmin" || arg == "--lmax" || arg == "--ambient" ||
                                 arg == "--measured" || arg == "--measured-table" || arg == "--plot")) {
            return usageError(arg + " needs a value");
        } else if (arg == "--lmin" || arg == "--lmax" || arg == "--ambient") {
            const std::string text = value();
            double number = 0;
            if (!parseWholeDouble(text, number)) return usageError(arg + " takes a luminance in cd/m2, not " + text);
            if (arg == "--lmin") o.gsdf.minLuminance = number;
            if (arg == "--lmax") o.gsdf.maxLuminance = number;
            if (arg == "--ambient") o.gsdf.ambient = number;
            o.gsdfOptionSeen = true;
        } else if (arg == "--measured") {
            o.gsdf.measuredPath = value();
            o.gsdfOptionSeen = true;
        } else if (arg == "--measured-table") {
            o.gsdf.measuredTablePath = value();
            o.gsdfOptionSeen = true;
        } else if (arg == "--plot") {
            o.plotPath = value();
            if (!isPlotFileName(*o.plotPath)) return usageError("--plot takes a file name ending in .svg or .png");
        } else if (arg == "--csv") {
            if (!setSource(Source::Csv)) return usageError("only one source may be given");
            o.csvPath = value();
        } else if (arg == "--default-curve" || arg == "--monitor-gamma") {
            if (!setSource(arg == "--default-curve" ? Source::DefaultCurve : Source::MonitorGamma)) {
                return usageError("only one source may be given");
            }
            const std::string text = value();
            if (!parseWholeDouble(text, o.sourceNumber)) return usageError("not a number: " + text);
        } else if (arg == "--points") {
            const std::string text = value();
            int count = 0;
            if (!parseWholeInt(text, count) || pointCountIndexOf(count) < 0) {
                return usageError("--points takes 3, 5, 9, 16, 24, 33 or 256, not " + text);
            }
            o.pointCountIndex = pointCountIndexOf(count);
        } else if (arg == "--panel-gamma") {
            const std::string text = value();
            if (!parseWholeDouble(text, o.panelGamma) || o.panelGamma < MinPanelGamma || o.panelGamma > MaxPanelGamma) {
                return usageError("--panel-gamma takes a number from 0.1 to 10, not " + text);
            }
        } else if (arg == "--set") {
            const std::string text = value();
            const std::size_t eq = text.find('=');
            int level = 0;
            int levelValue = 0;
            if (eq == std::string::npos ||
                !parseDecimalInRange(std::string_view(text).substr(0, eq), 0, LevelCount - 1, level) ||
                !parseDecimalInRange(std::string_view(text).substr(eq + 1), 0, FullScale, levelValue)) {
                return usageError(
                    "--set takes LEVEL=VALUE, whole decimal numbers with LEVEL in 0..255 and VALUE in "
                    "0..8160, not '" +
                    text + "'");
            }
            o.edits.emplace_back(level, levelValue);
        } else if (arg == "--out") {
            o.outPath = value();
        } else if (arg == "--print") {
            const std::string what = value();
            if (what != "points") return usageError("--print takes only: points");
            o.printPoints = true;
        } else {
            return usageError("unknown argument: " + arg);
        }
    }
    if (o.source == Source::None) return usageError("a source is required");
    if (o.source == Source::Gsdf) {
        if (!o.gsdf.minLuminance || !o.gsdf.maxLuminance) return usageError("--gsdf needs --lmin and --lmax");
        if (o.gsdf.measuredPath.has_value() != o.gsdf.measuredTablePath.has_value()) {
            return usageError("--measured and --measured-table go together");
        }
    } else if (o.gsdfOptionSeen) {
        return usageError("--lmin, --lmax, --ambient, --measured and --measured-table belong to --gsdf");
    }
    if (o.printPoints && o.outPath) return usageError("--print points and --out cannot be combined");
    return std::nullopt;
}

// The table a tone file holds, or the editor's message about it (after the file's name, since
// this command may read several files).
bool readTable(const std::string& path, ToneTable& table) {
    const ToneFileError error = readToneFile(path, table);
    if (error != ToneFileError::None) failure(path + ": " + messageText(toneFileMessageId(error)));
    return error == ToneFileError::None;
}

// The greyscale-standard table for the options, or the reason on standard error. Levels clipped
// to the measured light are named there too.
bool makeGsdfTable(const GsdfOptions& g, double panelGamma, ToneTable& table) {
    const GsdfTarget target{*g.minLuminance, *g.maxLuminance, g.ambient};
    GsdfProblem problem = checkGsdfTarget(target);
    if (problem.ok() && g.measuredPath) {
        MeasurementList measurements;
        ToneTable measuredWith{};
        problem = readMeasurementFile(*g.measuredPath, measurements);
        if (problem.ok() && !readTable(*g.measuredTablePath, measuredWith)) return false;
        GsdfClipping clipped;
        if (problem.ok()) problem = makeGsdfMeasuredCurve(target, measurements, measuredWith, table, &clipped);
        if (problem.ok() && clipped.darkLevels + clipped.brightLevels > 0) {
            std::string text = messageText(MsgGsdfLevelsClipped);
            text.replace(text.find("%1"), 2, std::to_string(clipped.darkLevels));
            text.replace(text.find("%2"), 2, std::to_string(clipped.brightLevels));
            std::fprintf(stderr, "%s\n", text.c_str());
        }
    } else if (problem.ok()) {
        problem = makeGsdfModelCurve(target, panelGamma, table);
    }
    if (problem.ok()) return true;
    failure(problemText(problem, g.measuredPath.value_or("")));
    return false;
}

}  // namespace

int runCurveCommand(int argc, char** argv) {
    CurveOptions o;
    if (const auto status = parseCurveOptions(argc, argv, o)) return *status;

    DetachedMonitor noMonitor;
    CurveModel model(noMonitor);
    // A calibrated curve keeps every level unless fewer points are asked for: sampling it at 9
    // points misses the standard by far more than its tolerance in the dark.
    const int defaultIndex = o.source == Source::Gsdf ? AllLevelsPointCountIndex : DefaultPointCountIndex;
    ModelSettings settings;
    settings.pointCountIndex = static_cast<std::uint16_t>(o.pointCountIndex.value_or(defaultIndex));
    settings.panelGamma = o.panelGamma;
    if (o.source == Source::DefaultCurve) settings.exponent = o.sourceNumber;
    model.restoreSettings(settings);
    FileFailure fileFailure;

    switch (o.source) {
    case Source::Csv:
        if (const ToneFileError error = model.loadToneFile(o.csvPath, fileFailure); error != ToneFileError::None) {
            return toneFileFailure(error, fileFailure);
        }
        break;
    case Source::DefaultCurve:
        if (o.sourceNumber < MinExponent || o.sourceNumber > MaxExponent) return failure(ExponentRangeText);
        model.installTable(makeDefaultCurve(o.sourceNumber));
        break;
    case Source::MonitorGamma:
        if (!(o.sourceNumber > 0)) return failure("The monitor gamma must be a positive number.");
        model.installTable(makeMonitorGammaCurve(o.sourceNumber, o.panelGamma));
        break;
    case Source::Identity: model.installTable(identityTable()); break;
    case Source::Gsdf: {
        ToneTable table{};
        if (!makeGsdfTable(o.gsdf, o.panelGamma, table)) return ExitFailure;
        model.installTable(table);
        break;
    }
    case Source::None: break;
    }

    for (const auto& [level, levelValue] : o.edits) {
        const int k = model.pointAtLevel(level);
        if (k < 0) return failure("Level " + std::to_string(level) + " is not a control point.");
        model.setPointValue(k, levelValue);
    }

    // The table first: a plot that cannot be drawn or saved never costs the user the table.
    int status = ExitOk;
    if (o.printPoints) {
        std::string lines;
        for (int i = 0; i < model.livePointCount(); ++i) {
            const ControlPoint& point = model.points()[i];
            lines += std::to_string(point.level) + "," + std::to_string(point.value) + "\n";
        }
        status = printStdout(lines);
    } else if (o.outPath) {
        status = model.saveToneFile(*o.outPath, fileFailure) ? ExitOk
                                                             : toneFileFailure(ToneFileError::CannotOpen, fileFailure);
    } else {
        status = printStdout(formatToneText(model.currentTable()));
    }
    if (status != ExitOk || !o.plotPath) return status;
    std::string error;
    const CurvePlot plot{&model.currentTable(), &model.points(), model.livePointCount(), model.panelGamma()};
    return saveCurvePlot(*o.plotPath, plot, error) ? ExitOk : failure(error);
}

}  // namespace grayden::ctl
