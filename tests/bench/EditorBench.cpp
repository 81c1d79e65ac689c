// A full repaint of the curve graph into the back buffer of a 1920 × 1080 window, with 33
// control points (dots and markers) and the output curve shown, at the screen's pixel ratio
// (the argument: 1, or 2 on a HiDPI screen).
#include <QApplication>

#include <benchmark/benchmark.h>

#include "editor/CurveGraph.h"
#include "editor/ResourceFiles.h"
#include "engine/CurveModel.h"

namespace {

void BM_GraphFullRepaint1080p(benchmark::State& state) {
    grayden::DetachedOwner owner;
    grayden::CurveModel model(owner);
    model.pointCountIndex = 5;  // 33 points
    model.sourceTable = grayden::makeDefaultCurve(2.2);
    model.installSourceTable();

    // The graph area the layout gives a 1920 × 1080 window: right of the list, above the frame.
    const int ratio = static_cast<int>(state.range(0));
    QImage backBuffer(1920 * ratio, 1080 * ratio, QImage::Format_RGB32);
    backBuffer.setDevicePixelRatio(ratio);
    backBuffer.fill(Qt::lightGray);
    grayden::GraphScene scene;
    scene.table = &model.currentTable;
    scene.points = &model.points;
    scene.pointCount = model.livePointCount();
    scene.showOutputCurve = true;
    scene.panelGamma = 2.2;
    scene.graphRect = {259, 40, 1905, 1005};
    scene.plotRect = grayden::plotRectOf(scene.graphRect);

    grayden::CurveGraph graph;
    for (auto _ : state) {
        graph.paint(backBuffer, scene);
        benchmark::DoNotOptimize(backBuffer.constBits());
    }
}
BENCHMARK(BM_GraphFullRepaint1080p)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    grayden::initEditorResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
