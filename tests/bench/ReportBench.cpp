// The filed report and a monitor's history: a whole report from parsed inputs to the closed PDF
// file (the goal is at most 150 ms), and 10,000 reports of history read, listed and plotted (at
// most 300 ms).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <filesystem>

#include "engine/ConformanceDocument.h"
#include "engine/GsdfCurve.h"
#include "engine/MonitorHistory.h"
#include "platform/FileSave.h"
#include "render/HistoryPlot.h"
#include "render/ReportPdf.h"
#include "render/ReportSections.h"
#include "render/ReportText.h"
#include "tests/support/SyntheticPanel.h"

namespace {

using namespace grayden;

const std::string OutputFolder = std::filesystem::temp_directory_path().string();

void fullReportToPdf(benchmark::State& state) {
    const auto panel = testing::gammaPanel(0.5, 350, 2.2);
    ToneTable curve{};
    makeGsdfMeasuredCurve({0.5, 350, 0}, testing::measure(panel, identityTable(), testing::eighteenLevels()),
                          identityTable(), curve);
    const MeasurementList measured = testing::measure(panel, curve, testing::eighteenLevels());
    ReportFacts facts;
    facts.dateTime = "2026-12-09T11:30:05+09:00";
    facts.measurementFile = "after.csv";
    const std::string path = OutputFolder + "/grayden-bench-report.pdf";
    for (auto _ : state) {
        ConformanceDocument document;
        if (!makeConformanceDocument(measured, curve, Tg18Primary, facts, document).ok())
            state.SkipWithError("refused");
        const ReportSections sections = reportSections(document);
        benchmark::DoNotOptimize(reportSectionsText(sections));
        const QByteArray pdf = conformancePdf(document, sections, "bench");
        if (!saveFile(path, std::string_view(pdf.constData(), pdf.size()))) state.SkipWithError("not saved");
    }
    std::filesystem::remove(path);
}
BENCHMARK(fullReportToPdf)->Unit(benchmark::kMillisecond);

void historyListedAndPlotted(benchmark::State& state) {
    std::string text;
    HistoryRecord r;
    r.criteria = "tg18-primary";
    r.minMaxLuminance = 170;
    r.minLuminanceRatio = 250;
    r.tolerancePercent = 10;
    r.measurementFile = "after.csv";
    for (int k = 0; k < 10000; ++k) {
        r.date = isoLocalTime(1700000000 + 3600 * k);
        r.maxLuminance = 400 - k * 0.01;
        r.luminanceRatio = r.maxLuminance / 0.6;
        r.largestDeviationPercent = (k % 200) / 20.0 - 5;
        r.passed = true;
        text += formatHistoryLine(r) + "\n";
    }
    for (auto _ : state) {
        MonitorHistory history;
        parseHistoryText(text, history);
        std::string lines;
        for (const HistoryRecord& record : history.records) lines += historyLineText(record).toStdString() + "\n";
        QImage image(HistoryPlotSize, QImage::Format_RGB32);
        QPainter painter(&image);
        drawHistoryPlot(painter, history);
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(png);
    }
}
BENCHMARK(historyListedAndPlotted)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
