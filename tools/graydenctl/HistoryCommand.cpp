#include "HistoryCommand.h"

#include <QLocale>
#include <QPainter>

#include <filesystem>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "MonitorLookup.h"
#include "PlotCanvas.h"
#include "Plots.h"
#include "engine/MonitorHistory.h"
#include "render/HistoryPlot.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "ui/UiLanguage.h"

namespace grayden::ctl {

namespace {

constexpr const char* HistoryUsage =
    "usage: graydenctl history [--device PATH] [--plot FILE.svg|FILE.png]\n"
    "  Lists the conformance reports of the monitor, one line each starting with its date, or\n"
    "  plots its Lmax, luminance ratio and largest deviation over time with the limits drawn.\n"
    "  Every 'graydenctl report --criteria' adds a line to the history of the monitor it finds.\n"
    "  --device PATH  the monitor at PATH, as 'graydenctl monitor list' prints it\n"
    "  --plot FILE    draw the trend as SVG or PNG instead of listing the reports\n"
    "  The histories are kept in ${XDG_DATA_HOME:-~/.local/share}/grayden/history/, one file\n"
    "  per monitor. Exit status: 0, or 2 on an error.\n";

int usageError(const std::string& why) { return ctl::usageError("history", why, HistoryUsage); }

// The first line's "%1" and "%2" filled with the line number and the file.
std::string corruptLineText(int line, const std::string& path) {
    std::string text = messageText(MsgHistoryCorruptLine);
    text.replace(text.find("%1"), 2, std::to_string(line));
    text.replace(text.find("%2"), 2, path);
    return text;
}

}  // namespace

int runHistoryCommand(int argc, char** argv) {
    std::string devicePath;
    std::optional<std::string> plotPath;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return printStdout(HistoryUsage);
        if (arg != "--device" && arg != "--plot") return usageError("unknown argument: " + arg);
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--device") {
            devicePath = value;
        } else if (isPlotFileName(value)) {
            plotPath = value;
        } else {
            return usageError("--plot takes a file name ending in .svg or .png");
        }
    }

    std::string why;
    const std::optional<FoundMonitor> monitor = lookUpMonitor(devicePath, why);
    if (!monitor) return errorExit(why.empty() ? messageText(MsgNoMonitor) : why);
    const std::string folder = historyFolder();
    if (folder.empty()) return errorExit(messageText(MsgHistoryNoFolder));
    const std::string path = (std::filesystem::path(folder) / historyFileName(monitor->identity)).string();
    MonitorHistory history;
    if (readHistoryFile(path, history) != FileReadError::None) {
        return errorExit(messageText(MsgHistoryCannotRead) + "\n" + path);
    }
    for (const int line : history.corruptLines) failure(corruptLineText(line, path));

    setUiLanguage(languageForUiLanguages(QLocale::system().uiLanguages()));
    if (plotPath) {
        if (!savePlot(
                *plotPath, HistoryPlotSize, [&](QPainter& p) { drawHistoryPlot(p, history); }, why)) {
            return errorExit(why);
        }
        return ExitOk;
    }
    if (history.records.empty()) return printStdout(uiText(HistoryEmpty).toStdString() + "\n");
    std::string lines;
    for (const HistoryRecord& record : history.records) lines += historyLineText(record).toStdString() + "\n";
    return printStdout(lines) == ExitOk ? ExitOk : ExitError;
}

}  // namespace grayden::ctl
