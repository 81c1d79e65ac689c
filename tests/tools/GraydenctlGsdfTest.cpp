#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>

#include <filesystem>

#include "engine/GammaCurves.h"
#include "engine/GsdfCurve.h"
#include "engine/ToneFile.h"
#include "render/GraphGeometry.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SyntheticPanel.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::ProgramResult;
using testing::writeText;

std::string english(int id) { return std::string(stringText(id, Language::English)); }

// graydenctl curve --gsdf and graydenctl report, on files in a folder of their own.
class GraydenctlGsdf : public ::testing::Test {
protected:
    ProgramResult run(const std::vector<std::string>& args) { return testing::runProgram(GRAYDENCTL_PATH, args); }
    // Runs graydenctl with no display and no Qt platform named in its environment.
    ProgramResult runHeadless(std::vector<std::string> args) {
        args.insert(args.begin(), {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", GRAYDENCTL_PATH});
        return testing::runProgram("/usr/bin/env", args);
    }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = dir.file(name);
        writeText(path, text);
        return path;
    }

    testing::TempDir dir;
    const testing::PanelLight panel = testing::gammaPanel(0.5, 350, 2.2);
    const std::string straight = file("straight.csv", formatToneText(identityTable()));
};

TEST_F(GraydenctlGsdf, CurveSourceGivesTheEngineTables) {
    ToneTable model{};
    ASSERT_TRUE(makeGsdfModelCurve({0.5, 350, 0.3}, 2.5, model).ok());
    ProgramResult r = run({"curve", "--points", "256", "--panel-gamma", "2.5", "--gsdf", "--lmin", "0.5", "--lmax",
                           "350", "--ambient", "0.3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, formatToneText(model));

    const MeasurementList measured = testing::measure(panel, identityTable(), testing::eighteenLevels());
    const std::string measurements = file("panel.csv", testing::measurementText(measured));
    // Every level a point unless fewer are asked for; a target equal to the measured light clips
    // nothing, a brighter one is installed with its clipped levels named.
    for (const double lmax : {350.0, 500.0}) {
        ToneTable fromMeasurements{};
        GsdfClipping clipping;
        ASSERT_TRUE(makeGsdfMeasuredCurve({0.5, lmax, 0}, measured, identityTable(), fromMeasurements, &clipping).ok());
        r = run({"curve", "--gsdf", "--lmin", "0.5", "--lmax", std::to_string(lmax), "--measured", measurements,
                 "--measured-table", straight});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, formatToneText(fromMeasurements));
        const std::string clipped =
            "The measurements do not cover the whole target: 0 levels are clipped at the dark end and " +
            std::to_string(clipping.brightLevels) + " at the bright end.\n";
        EXPECT_EQ(r.err, lmax == 350 ? "" : clipped);
    }
}

TEST_F(GraydenctlGsdf, CurveSourceRefusals) {
    const std::string bad = file("bad.csv", "# levels\n0,0.5\n16,-1\n");
    const std::string measurements = file(
        "panel.csv", testing::measurementText(testing::measure(panel, identityTable(), testing::eighteenLevels())));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // the whole of standard error when status is 1, its first line for 2
    };
    const std::string lineThree = "Line 3 of the measurement file: the luminance must be a positive number.\n";
    const Case cases[] = {
        {{"--gsdf", "--lmin", "0.5"}, 2, "graydenctl curve: --gsdf needs --lmin and --lmax"},
        {{"--identity", "--lmin", "0.5"},
         2,
         "graydenctl curve: --lmin, --lmax, --ambient, --measured and "
         "--measured-table belong to --gsdf"},
        {{"--gsdf", "--lmin", "0.5", "--lmax", "3e2", "--measured", measurements},
         2,
         "graydenctl curve: --measured and --measured-table go together"},
        {{"--gsdf", "--lmin", "dark", "--lmax", "300"},
         2,
         "graydenctl curve: --lmin takes a luminance in cd/m2, "
         "not dark"},
        {{"--gsdf", "--identity"}, 2, "graydenctl curve: only one source may be given"},
        {{"--gsdf", "--lmin", "0.5", "--lmax", "300", "--plot", dir.file("curve.pdf")},
         2,
         "graydenctl curve: --plot takes a file name ending in .svg or .png"},
        {{"--gsdf", "--lmin", "0.01", "--lmax", "300"}, 1, english(MsgGsdfLuminanceRange) + "\n"},
        {{"--gsdf", "--lmin", "300", "--lmax", "300"}, 1, english(MsgGsdfLuminanceOrder) + "\n"},
        {{"--gsdf", "--lmin", "1", "--lmax", "300", "--ambient", "-1"}, 1, english(MsgGsdfAmbientNegative) + "\n"},
        {{"--gsdf", "--lmin", "1", "--lmax", "300", "--measured", bad, "--measured-table", straight}, 1, lineThree},
        {{"--gsdf", "--lmin", "1", "--lmax", "300", "--measured", dir.file("none.csv"), "--measured-table", straight},
         1,
         english(MsgMeasurementsUnreadable) + "\n" + dir.file("none.csv") + "\nNo such file or directory\n"},
        {{"--gsdf", "--lmin", "400", "--lmax", "600", "--measured", measurements, "--measured-table", straight},
         1,
         english(MsgGsdfTargetOutsideMeasured) + "\n"},
        {{"--gsdf", "--lmin", "1", "--lmax", "300", "--measured", measurements, "--measured-table",
          dir.file("none.csv")},
         1,
         dir.file("none.csv") + ": " + english(MsgCannotOpenFile) + "\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "curve");
        const ProgramResult r = run(args);
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(c.status == 2 ? r.err.substr(0, r.err.find('\n')) : r.err, c.err);
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST_F(GraydenctlGsdf, ReportVerdictIsTheExitStatus) {
    // The panel measured through the straight line is far from the standard; through its own
    // curve it conforms.
    ToneTable curve{};
    const MeasurementList before = testing::measure(panel, identityTable(), testing::eighteenLevels());
    ASSERT_TRUE(makeGsdfMeasuredCurve({0.5, 350, 0}, before, identityTable(), curve).ok());
    const std::string curveFile = file("gsdf.csv", formatToneText(curve));
    const MeasurementList after = testing::measure(panel, curve, testing::eighteenLevels());
    const std::string beforeFile = file("before.csv", testing::measurementText(before));
    const std::string afterFile = file("after.csv", testing::measurementText(after));

    ProgramResult r = run({"report", "--measured", afterFile, "--table", curveFile});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("step  levels")) << r.out;
    EXPECT_NE(r.out.find("\n1     0-15      0-" + std::to_string(curve[15]) + " "), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with("tolerance: 10.0 %\nverdict: pass\n")) << r.out;
    EXPECT_EQ(r.out.find("outside"), std::string::npos);

    r = run({"report", "--measured", beforeFile, "--table", straight});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.ends_with("verdict: fail\n")) << r.out;
    EXPECT_NE(r.out.find("+52.9 %  outside"), std::string::npos) << r.out;
    r = run({"report", "--measured", beforeFile, "--table", straight, "--tolerance", "60", "--ambient", "0"});
    EXPECT_EQ(r.status, 0) << r.out;

    // The whole road with the defaults: the curve graydenctl installs passes its own report.
    const std::string installed = dir.file("installed.csv");
    r = run({"curve", "--gsdf", "--lmin", "0.5", "--lmax", "350", "--measured", beforeFile, "--measured-table",
             straight, "--out", installed});
    ASSERT_EQ(r.status, 0) << r.err;
    ToneTable installedTable{};
    ASSERT_EQ(readToneFile(installed, installedTable), ToneFileError::None);
    const MeasurementList remeasured = testing::measure(panel, installedTable, testing::eighteenLevels());
    r = run(
        {"report", "--measured", file("remeasured.csv", testing::measurementText(remeasured)), "--table", installed});
    EXPECT_EQ(r.status, 0) << r.out;

    // An error is told from a failed verdict.
    r = run({"report", "--measured", file("few.csv", "0,1\n1,2\n"), "--table", straight});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, english(MsgMeasurementTooFew) + "\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--measured", afterFile},
                                               {"--measured", afterFile, "--table", curveFile, "--tolerance", "0"},
                                               {"--measured", afterFile, "--table", curveFile, "--ambient", "-1"}}) {
        std::vector<std::string> all = args;
        all.insert(all.begin(), "report");
        EXPECT_EQ(run(all).status, 2) << args.back();
    }
}

TEST_F(GraydenctlGsdf, PlotsAreValidPicturesWithoutADisplay) {
    const MeasurementList measured = testing::measure(panel, identityTable(), testing::eighteenLevels());
    const std::string measuredFile = file("panel.csv", testing::measurementText(measured));
    const std::string reportSvg = dir.file("report.svg");
    const std::string reportPng = dir.file("report.PNG");
    for (const std::string& plot : {reportSvg, reportPng}) {
        const ProgramResult r =
            runHeadless({"report", "--measured", measuredFile, "--table", straight, "--plot", plot});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(reportSvg)).isValid());
    const QImage report(QString::fromStdString(reportPng));
    ASSERT_FALSE(report.isNull());
    EXPECT_EQ(report.size(), QSize(900, 760));

    // Every level a point: the editor draws the curve as a white line over a black graph.
    const std::string curvePng = dir.file("curve.png");
    const std::string curveSvg = dir.file("curve.svg");
    for (const std::string& plot : {curvePng, curveSvg}) {
        const ProgramResult r = runHeadless(
            {"curve", "--points", "256", "--default-curve", "2.0", "--plot", plot, "--out", dir.file("o.csv")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(curveSvg)).isValid());
    const QImage graph(QString::fromStdString(curvePng));
    ASSERT_EQ(graph.size(), QSize(600, 480));
    const EdgeRect plot = plotRectOf({0, 0, 600, 480});
    const ToneTable table = makeDefaultCurve(2.0);
    EXPECT_EQ(graph.pixel(2, 2), qRgb(0, 0, 0));
    for (int level : {10, 100, 160, 250}) {
        EXPECT_EQ(graph.pixel(curveX(plot, level), curveY(plot, table[level])), qRgb(255, 255, 255)) << level;
    }
    // A display named that cannot start changes nothing; the table is written before any plot.
    const std::string tableFile = dir.file("table.csv");
    const std::string xcbPng = dir.file("xcb.png");
    ProgramResult r =
        testing::runProgram("/usr/bin/env", {"-u", "DISPLAY", "QT_QPA_PLATFORM=xcb", GRAYDENCTL_PATH, "curve",
                                             "--identity", "--plot", xcbPng, "--out", tableFile});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(xcbPng)).size(), QSize(600, 480));
    std::filesystem::remove(tableFile);
    r = run({"curve", "--identity", "--plot", dir.file("missing/curve.svg"), "--out", tableFile});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(std::filesystem::exists(tableFile));
}

}  // namespace
}  // namespace grayden
