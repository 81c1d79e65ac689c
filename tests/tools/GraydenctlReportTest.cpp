#include <gtest/gtest.h>

#include <QImage>

#include <regex>

#include "engine/GsdfCurve.h"
#include "engine/Sha256.h"
#include "engine/ToneFile.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SyntheticPanel.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::ProgramResult;
using testing::readText;
using testing::writeText;

std::string english(int id) { return std::string(stringText(id, Language::English)); }
std::string japanese(int id) { return std::string(stringText(id, Language::Japanese)); }

// graydenctl report --criteria and history, with the simulated monitor and a data folder of
// their own.
class GraydenctlReport : public ::testing::Test {
protected:
    GraydenctlReport() {
        ToneTable curve{};
        const MeasurementList before = testing::measure(panel, identityTable(), testing::eighteenLevels());
        makeGsdfMeasuredCurve({0.5, 350, 0}, before, identityTable(), curve);
        writeText(curveFile, formatToneText(curve));
        writeText(passing, testing::measurementText(testing::measure(panel, curve, testing::eighteenLevels())));
        writeText(failing, testing::measurementText(before));
    }
    ProgramResult run(std::vector<std::string> args, std::vector<std::string> env = {}) {
        env.insert(env.end(), {"GRAYDEN_SIMULATOR=" + state, "XDG_DATA_HOME=" + dir.file("data"), "LC_ALL=C",
                               "LANGUAGE=", "QT_QPA_PLATFORM=offscreen"});
        return testing::runProgram(GRAYDENCTL_PATH, args, env);
    }
    ProgramResult report(const std::string& measured, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"report", "--measured", measured, "--table", curveFile, "--criteria"};
        args.insert(args.end(), more.begin(), more.end());
        return run(args);
    }
    std::string historyFile() const { return dir.file("data/grayden/history/QT440-1268-0440.jsonl"); }

    testing::TempDir dir;
    const testing::PanelLight panel = testing::gammaPanel(0.5, 350, 2.2);
    const std::string state = dir.file("monitor.state");
    const std::string curveFile = dir.file("gsdf.csv");
    const std::string passing = dir.file("after.csv");
    const std::string failing = dir.file("before.csv");
};

TEST_F(GraydenctlReport, PdfCarriesTheDocumentWhateverTheVerdict) {
    ASSERT_EQ(run({"monitor", "status"}).status, 0);  // the simulated monitor's state file now exists
    const std::string monitorBefore = readText(state);
    const std::string pdf = dir.file("report.pdf");
    struct Case {
        std::string measured;
        std::vector<std::string> args;
        int status;
        std::vector<std::string> texts;  // in the PDF's text, in this order
    };
    const Case cases[] = {
        {passing,
         {"tg18-primary", "--pdf", pdf},
         0,
         {english(ReportTitle), english(ReportMonitor), "QT440", "simulated:monitor", sha256Hex(readText(passing)),
          english(ReportNotMeasured), english(CriteriaTg18Primary), english(CheckMaxLuminance), "350.00 cd/m²",
          "at least 170 cd/m²", "700.0", "at least 250", english(OverallVerdict) + ": pass", "240-255",
          english(PlotLuminanceTitle), "Page 2 of 2"}},
        {failing,
         {"tg18-secondary", "--ambient", "0.25", "--pdf", pdf},
         1,
         {"0.25 cd/m²", "within ±20 %", english(OverallVerdict) + ": fail", "15-30", "+53.0", "fail"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(pdf);
        const ProgramResult r = report(c.measured, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        const ProgramResult text = testing::runProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"});
        ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) reads the PDF: " << text.err;
        std::size_t at = 0;
        for (const std::string& expected : c.texts) {
            at = text.out.find(expected, at);
            EXPECT_NE(at, std::string::npos) << expected << " in\n" << text.out;
            if (at == std::string::npos) break;
        }
    }
    // In the user's language, and the monitor only read.
    const ProgramResult r =
        run({"report", "--measured", failing, "--table", curveFile, "--criteria", "tg18-primary", "--pdf", pdf},
            {"LC_ALL=ja_JP.UTF-8", "LANGUAGE=ja"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(japanese(OverallVerdict) + ": " + japanese(VerdictFail)), std::string::npos) << r.out;
    const ProgramResult text = testing::runProgram("/usr/bin/pdftotext", {pdf, "-"});
    EXPECT_NE(text.out.find(japanese(CheckLuminanceRatio)), std::string::npos) << text.out;
    EXPECT_EQ(readText(state), monitorBefore);

    for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
             {"tg18-primary", "--tolerance", "5"}, {"tg18"}, {"tg18-primary", "--pdf", dir.file("no/such/dir.pdf")}}) {
        EXPECT_EQ(report(passing, refused).status, 2) << refused.back();
    }
}

TEST_F(GraydenctlReport, HistoryListsAndPlotsEveryVerdict) {
    EXPECT_EQ(report(passing, {"tg18-primary"}).status, 0);
    EXPECT_EQ(report(failing, {"tg18-primary"}).status, 1);
    // No monitor: said, and nothing added.
    ProgramResult r = report(passing, {"tg18-primary", "--device", "simulated:none"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(english(MsgHistoryNoMonitor)), std::string::npos) << r.err;

    writeText(historyFile(), readText(historyFile()) + "{\"date\":\"broken\n");
    r = run({"history"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::regex line(R"(\d{4}-\d{2}-\d{2}T[^ ]+  tg18-primary  (pass|fail)  Lmax .*\n)");
    std::smatch first;
    ASSERT_TRUE(std::regex_search(r.out, first, line)) << r.out;
    EXPECT_EQ(first[1], "pass");
    EXPECT_NE(r.out.find("  fail  Lmax 350.0 cd/m²  ratio 700.0  largest deviation +52.9 %  " + failing + "\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_EQ(r.err, "Line 3 of the history file " + historyFile() + " is not a report and is skipped.\n");

    const std::string plot = dir.file("trend.png");
    ASSERT_EQ(run({"history", "--plot", plot}).status, 0);
    const QImage image(QString::fromStdString(plot));
    ASSERT_EQ(image.size(), QSize(900, 900));
    // The limits are drawn in their own orange.
    int limitPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            limitPixels += c.red() > 180 && c.green() > 90 && c.green() < 150 && c.blue() < 60;
        }
    }
    EXPECT_GT(limitPixels, 1000);
    // Reports of one day are told apart by the time of day on the axis.
    const std::string svg = dir.file("trend.svg");
    ASSERT_EQ(run({"history", "--plot", svg}).status, 0);
    EXPECT_TRUE(std::regex_search(readText(svg), std::regex(R"(>\d{2}:\d{2}<)")));
    EXPECT_EQ(run({"history", "--device", "simulated:none"}).status, 2);
}

}  // namespace
}  // namespace grayden
