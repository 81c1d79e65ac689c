#include <QScreen>

#include "editor/measure/MeasureWindow.h"
#include "editor/window/EditorDialog.h"

namespace grayden {

// The monitor maps the patches' levels with the previewed curve while Preview is on, else with
// its stored table, read now so the file beside the readings names what was really shown.
void EditorDialog::measureLuminance() {
    ToneTable inEffect = model_.currentTable();
    if (!model_.previewOn() && !monitor_.readTable(MonitorTable::Permanent, model_.panelGamma(), inEffect)) return;
    auto* window = new MeasureWindow(inEffect, user_, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    connect(window, &MeasureWindow::calibrateRequested, this, &EditorDialog::calibrateWith);
    connect(window, &MeasureWindow::checkRequested, this,
            [this](const MeasurementFiles& files) { showConformanceReport(files.measurementPath, files.tablePath); });
    QScreen* shown = screen();
    window->setScreen(shown);
    window->setGeometry(shown->geometry());
    window->showFullScreen();
}

// The calibration dialog opens on the saved readings and the table they were taken with.
void EditorDialog::calibrateWith(const MeasurementFiles& files) {
    gsdfInput_.measurementPath = files.measurementPath;
    gsdfInput_.measuredWithPath = files.tablePath;
    chooseGsdfCurve();
}

}  // namespace grayden
