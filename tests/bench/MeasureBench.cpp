// The measurement window at 1920 × 1080: from the Enter that takes a reading to the next
// level's patch in the window's back buffer.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>

#include "editor/measure/MeasureWindow.h"
#include "tests/editor/RecordingInteraction.h"

namespace {

void BM_NextPatchAfterEnter(benchmark::State& state) {
    grayden::test::RecordingInteraction user;
    std::unique_ptr<grayden::MeasureWindow> window;
    const auto open = [&] {
        window = std::make_unique<grayden::MeasureWindow>(grayden::ToneTable{}, user, nullptr);
        window->levelCountList().setCurrentIndex(1);  // 256 levels
        window->setGeometry(0, 0, 1920, 1080);
        window->show();
        QApplication::processEvents();
    };
    open();
    for (auto _ : state) {
        // The last level would end the run; a fresh window starts it again, outside the timing.
        if (window->run().step() + 1 == window->run().stepCount()) {
            state.PauseTiming();
            open();
            state.ResumeTiming();
        }
        window->readingField().setText("12.5");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&window->readingField(), &enter);
        const int level = window->run().level();
        if (window->backBuffer().pixel(window->patchRect().center()) != qRgb(level, level, level)) {
            state.SkipWithError("the patch does not show the level");
            break;
        }
    }
}
BENCHMARK(BM_NextPatchAfterEnter)->Unit(benchmark::kMicrosecond);

}  // namespace
