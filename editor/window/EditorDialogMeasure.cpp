#include <QScreen>

#include <cmath>

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

// The calibration dialog opens on the saved readings, the table they were taken with and the
// luminances they span, rounded inward to what the dialog shows so that no level is clipped.
void EditorDialog::calibrateWith(const MeasurementFiles& files, const GsdfTarget& measured) {
    constexpr double Scale = GsdfCurveDialog::Scale;
    constexpr double Slack = 1e-9;  // 1.10 read as 1.1000000001 stays 1.10
    gsdfInput_.target = {.minLuminance = std::ceil(measured.minLuminance * Scale - Slack) / Scale,
                         .maxLuminance = std::floor(measured.maxLuminance * Scale + Slack) / Scale,
                         .ambient = std::round(measured.ambient * Scale) / Scale};
    gsdfInput_.measurementPath = files.measurementPath;
    gsdfInput_.measuredWithPath = files.tablePath;
    chooseGsdfCurve();
}

}  // namespace grayden
