#include "ReportCommand.h"

#include <QLocale>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "GraphicsSession.h"
#include "MonitorLookup.h"
#include "PlotCanvas.h"
#include "Plots.h"
#include "engine/ConformanceDocument.h"
#include "engine/ConformanceReport.h"
#include "engine/Measurements.h"
#include "engine/MonitorHistory.h"
#include "engine/ToneFile.h"
#include "platform/FileRead.h"
#include "platform/FileSave.h"
#include "render/ReportPdf.h"
#include "render/ReportSections.h"
#include "render/ReportText.h"
#include "render/UiText.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"
#include "ui/UiLanguage.h"

namespace grayden::ctl {

namespace {

constexpr const char* ReportUsage =
    "usage: graydenctl report --measured FILE --table FILE [--tolerance PCT] [--ambient L]\n"
    "                         [--plot FILE.svg|FILE.png]\n"
    "       graydenctl report --measured FILE --table FILE --criteria SET [--ambient L]\n"
    "                         [--pdf FILE] [--plot FILE.svg|FILE.png] [--device PATH]\n"
    "  Compares the contrast response of a display with the DICOM greyscale standard display\n"
    "  function, step by step between neighbouring measured levels (AAPM TG18).\n"
    "  --measured FILE   level,luminance lines (cd/m2) measured at 8 or more input levels\n"
    "  --table FILE      the tone file whose table was in the monitor while measuring\n"
    "  --tolerance PCT   the largest deviation that passes, in percent (default 10)\n"
    "  --ambient L       room light reflected by the screen, in cd/m2 (default 0; with\n"
    "                    --criteria the file's \"# ambient L cd/m2\" line, else not measured)\n"
    "  --plot FILE       also draw the luminance and the contrast response, as SVG or PNG\n"
    "  --criteria SET    tg18-primary or tg18-secondary: also checks Lmax and the luminance\n"
    "                    ratio (170 cd/m2 and 250, or 100 cd/m2 and 100) beside the contrast\n"
    "                    response (within 10 % or 20 %), prints the whole report in the\n"
    "                    user's language and adds its verdict to the monitor's history\n"
    "  --pdf FILE        with --criteria, also write the report as a PDF document\n"
    "  --device PATH     with --criteria, the monitor whose history the report joins\n"
    "  Exit status: 0 when the display passes, 1 when it fails, 2 on an error.\n";

struct ReportOptions {
    std::optional<std::string> measuredPath;
    std::optional<std::string> tablePath;
    std::optional<std::string> plotPath;
    std::optional<std::string> pdfPath;
    std::optional<ConformanceCriteria> criteria;
    std::optional<std::string> devicePath;
    bool toleranceGiven = false;
    bool ambientGiven = false;
    ConformanceOptions conformance;
};

int usageError(const std::string& why) { return ctl::usageError("report", why, ReportUsage); }

bool takesValue(const std::string& arg) {
    for (const char* name :
         {"--measured", "--table", "--tolerance", "--ambient", "--plot", "--criteria", "--pdf", "--device"}) {
        if (arg == name) return true;
    }
    return false;
}

std::optional<int> parseReportOptions(int argc, char** argv, ReportOptions& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return printStdout(ReportUsage);
        if (!takesValue(arg)) return usageError("unknown argument: " + arg);
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--measured") {
            o.measuredPath = value;
        } else if (arg == "--table") {
            o.tablePath = value;
        } else if (arg == "--plot") {
            if (!isPlotFileName(value)) return usageError("--plot takes a file name ending in .svg or .png");
            o.plotPath = value;
        } else if (arg == "--pdf") {
            o.pdfPath = value;
        } else if (arg == "--device") {
            o.devicePath = value;
        } else if (arg == "--criteria") {
            o.criteria = findCriteria(value);
            if (!o.criteria) return usageError("--criteria takes tg18-primary or tg18-secondary, not " + value);
        } else if (arg == "--tolerance") {
            double& t = o.conformance.tolerancePercent;
            o.toleranceGiven = true;
            if (!parseWholeDouble(value, t) || !(t > 0 && t <= 100)) {
                return usageError("--tolerance takes a percentage above 0 and at most 100, not " + value);
            }
        } else {
            o.ambientGiven = true;
            if (!parseWholeDouble(value, o.conformance.ambient) || o.conformance.ambient < 0) {
                return usageError("--ambient takes a luminance of 0 or more in cd/m2, not " + value);
            }
        }
    }
    if (!o.measuredPath || !o.tablePath) return usageError("--measured and --table are required");
    if (o.criteria && o.toleranceGiven) return usageError("--criteria sets the tolerance; --tolerance goes without it");
    if (!o.criteria && (o.pdfPath || o.devicePath)) return usageError("--pdf and --device belong to --criteria");
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

// The contrast response alone, as the report has always been given.
int runToleranceReport(const ReportOptions& o, const MeasurementList& measurements, const ToneTable& table) {
    ConformanceReport report;
    if (const GsdfProblem problem = makeConformanceReport(measurements, o.conformance, report); !problem.ok()) {
        return errorExit(problemText(problem, *o.measuredPath));
    }
    if (o.plotPath) {
        std::string why;
        if (!saveReportPlot(*o.plotPath, report, measurements, why)) return errorExit(why);
    }
    if (printStdout(reportText(report, table)) != ExitOk) return ExitError;
    return report.passed ? ExitOk : ExitFailure;
}

bool appendToHistory(const ConformanceDocument& document, const FoundMonitor& monitor) {
    const std::string path = historyFilePath(monitor.identity);
    if (path.empty()) {
        failure(messageText(MsgHistoryNoFolder));
        return false;
    }
    if (appendHistoryRecord(path, historyRecordOf(document))) return true;
    failure(messageText(MsgHistoryCannotAppend) + "\n" + path);
    return false;
}

int runCriteriaReport(const ReportOptions& o, const MeasurementList& measurements, const ToneTable& table) {
    std::string measurementBytes;
    if (readRegularFile(*o.measuredPath, MaxMeasurementFileBytes, measurementBytes) != FileReadError::None) {
        return errorExit(messageText(MsgMeasurementsUnreadable) + "\n" + *o.measuredPath);
    }
    std::string why;
    const std::optional<FoundMonitor> monitor = lookUpMonitor(o.devicePath.value_or(""), why);
    ConformanceDocument document;
    const ReportSource source{
        "graydenctl " GRAYDEN_VERSION, *o.measuredPath, *o.tablePath,
        o.ambientGiven ? std::optional(o.conformance.ambient) : recordedAmbient(measurementBytes)};
    const ReportFacts facts = makeReportFacts(source, measurementBytes, monitor ? &*monitor : nullptr);
    if (const GsdfProblem problem = makeConformanceDocument(measurements, table, *o.criteria, facts, document);
        !problem.ok()) {
        return errorExit(problemText(problem, *o.measuredPath));
    }
    bool ok = true;
    if (monitor) {
        ok = appendToHistory(document, *monitor);
    } else {
        if (!why.empty()) failure(why);
        failure(messageText(MsgHistoryNoMonitor));
    }

    setUiLanguage(languageForUiLanguages(QLocale::system().uiLanguages()));
    const ReportSections sections = reportSections(document);
    if (o.pdfPath) {
        QByteArray pdf;
        {
            const GraphicsSession graphics;
            pdf = conformancePdf(document, sections, QString::fromStdString(facts.programVersion));
        }
        errno = 0;
        if (pdf.isEmpty() ||
            !saveFile(*o.pdfPath, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())))) {
            ok = false;
            std::string text = messageText(MsgPdfCannotSave) + "\n" + *o.pdfPath;
            if (errno != 0) text.append("\n").append(std::strerror(errno));
            failure(text);
        }
    }
    if (o.plotPath && !saveReportPlot(*o.plotPath, document.report, measurements, why)) {
        ok = false;
        failure(why);
    }
    if (printStdout(reportSectionsText(sections)) != ExitOk || !ok) return ExitError;
    return document.verdict.passed ? ExitOk : ExitFailure;
}

}  // namespace

int runReportCommand(int argc, char** argv) {
    ReportOptions o;
    if (const auto status = parseReportOptions(argc, argv, o)) return *status;

    MeasurementList measurements;
    if (const GsdfProblem problem = readMeasurementFile(*o.measuredPath, measurements); !problem.ok()) {
        return errorExit(problemText(problem, *o.measuredPath));
    }
    ToneTable table{};
    if (const ToneFileError problem = readToneFile(*o.tablePath, table); problem != ToneFileError::None) {
        return errorExit(*o.tablePath + ": " + messageText(toneFileMessageId(problem)));
    }
    return o.criteria ? runCriteriaReport(o, measurements, table) : runToleranceReport(o, measurements, table);
}

}  // namespace grayden::ctl
