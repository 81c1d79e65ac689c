// graydenctl: the command-line companion of grayden, over the same engine and device code.
#include <cstdio>
#include <cstring>

#include "CommandLine.h"
#include "CurveCommand.h"
#include "HistoryCommand.h"
#include "MonitorCommand.h"
#include "ReportCommand.h"

namespace {

constexpr const char* Usage =
    "usage: graydenctl <command> [options]\n"
    "commands:\n"
    "  curve     build a tone curve and print or save it as a tone file\n"
    "  monitor   list HID devices, show the monitor's status, read or write its table\n"
    "  report    compare measurements of a display with the DICOM greyscale standard\n"
    "  history   list or plot the conformance reports of a monitor over time\n"
    "run 'graydenctl <command> --help' for the options of a command.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace grayden::ctl;
    reportBrokenPipes();
    if (argc < 2) {
        std::fputs(Usage, stderr);
        return ExitUsage;
    }
    if (std::strcmp(argv[1], "curve") == 0) return runCurveCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "monitor") == 0) return runMonitorCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "report") == 0) return runReportCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "history") == 0) return runHistoryCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) return printStdout(Usage);
    std::fprintf(stderr, "graydenctl: unknown command '%s'\n%s", argv[1], Usage);
    return ExitUsage;
}
