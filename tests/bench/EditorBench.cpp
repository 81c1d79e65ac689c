// The curve graph at large window sizes, with 33 control points (dots and markers) and the
// output curve shown: a full repaint into the back buffer of a 1920 × 1080 window at the
// screen's pixel ratio (the argument: 1, or 2 on a HiDPI screen), and one step of a drag.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "editor/graph/GraphDrag.h"
#include "engine/CurveModel.h"
#include "render/CurveGraph.h"
#include "render/ResourceFiles.h"
#include "tests/support/RestoreSetting.h"

namespace {

using grayden::testing::restoreSetting;

void BM_GraphFullRepaint1080p(benchmark::State& state) {
    grayden::DetachedMonitor owner;
    grayden::CurveModel model(owner);
    restoreSetting(model, &grayden::ModelSettings::pointCountIndex, 5);  // 33 points
    model.installTable(grayden::makeDefaultCurve(2.2));

    // The graph area the layout gives a 1920 × 1080 window: right of the list, above the frame.
    const int ratio = static_cast<int>(state.range(0));
    QImage backBuffer(1920 * ratio, 1080 * ratio, QImage::Format_RGB32);
    backBuffer.setDevicePixelRatio(ratio);
    backBuffer.fill(Qt::lightGray);
    grayden::GraphScene scene;
    scene.table = &model.currentTable();
    scene.points = &model.points();
    scene.pointCount = model.livePointCount();
    scene.showOutputCurve = true;
    scene.panelGamma = 2.2;
    scene.graphRect = {259, 40, 1905, 1005};
    scene.plotRect = grayden::plotRectOf(scene.graphRect);

    grayden::CurveGraph graph;
    for (auto _ : state) {
        // Writable access marks the image as changed, so the graph cannot reuse its last picture.
        benchmark::DoNotOptimize(backBuffer.bits());
        graph.paint(backBuffer, scene);
        benchmark::DoNotOptimize(backBuffer.constBits());
    }
}
BENCHMARK(BM_GraphFullRepaint1080p)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One pointer move of a drag, as the window handles it: the dragged point's value from the
// pointer height, the table recomputed from the points, and the graph repainted into the back
// buffer. The arguments are the window's width and height; the pointer alternates between two
// heights so every step changes the curve.
void BM_DragStep(benchmark::State& state) {
    grayden::DetachedMonitor owner;
    grayden::CurveModel model(owner);
    restoreSetting(model, &grayden::ModelSettings::pointCountIndex, 5);  // 33 points
    model.installTable(grayden::makeDefaultCurve(2.2));

    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    QImage backBuffer(width, height, QImage::Format_RGB32);
    backBuffer.fill(Qt::lightGray);
    // The layout's graph area: right of the list, above the frame and the check boxes.
    grayden::GraphView view;
    view.graphRect = {259, 40, width - 15, height - 75};
    view.plotRect = grayden::plotRectOf(view.graphRect);
    view.points = &model.points();
    view.pointCount = model.livePointCount();
    grayden::GraphScene scene{&model.currentTable(), &model.points(), view.pointCount, true, 2.2,
                              view.graphRect,        view.plotRect};

    grayden::GraphDrag drag;
    const grayden::EdgeRect& plot = view.plotRect;
    const int x = grayden::gridX(plot, model.points()[16].level);
    if (!drag.press(view, x, grayden::gridY(plot, model.points()[16].value))) {
        state.SkipWithError("the middle point was not grabbed");
        return;
    }
    grayden::CurveGraph graph;
    const int heights[] = {plot.top + plot.height() / 4, plot.bottom - plot.height() / 4};
    int step = 0;
    for (auto _ : state) {
        model.setPointValue(drag.dragIndex(), drag.dragValue(view, heights[step++ & 1]));
        graph.paint(backBuffer, scene);
        benchmark::DoNotOptimize(backBuffer.constBits());
    }
}
BENCHMARK(BM_DragStep)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

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
