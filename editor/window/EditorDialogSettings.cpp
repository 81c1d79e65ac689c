#include "editor/app/UserInteraction.h"
#include "editor/dialogs/AboutDialog.h"
#include "editor/dialogs/ControlPointsDialog.h"
#include "editor/dialogs/DefaultCurveDialog.h"
#include "editor/dialogs/PanelCharacteristicDialog.h"
#include "editor/window/EditorDialog.h"
#include "render/UiText.h"

namespace grayden {

// Each dialog lives for its command; its result is used only after OK. The model pushes the undo
// record, rebuilds the curve (which refreshes the views) and previews while Preview is on.

void EditorDialog::chooseControlPoints() {
    ControlPointsDialog dialog(CurvePointCount, model_.pointCountIndex(), user_, this);
    if (user_.runDialog(dialog) != QDialog::Accepted) return;
    model_.applyPointCount(dialog.selection());
}

void EditorDialog::chooseDefaultCurve() {
    DefaultCurveDialog dialog(model_.exponent(), model_.panelGamma(), user_, this);
    if (user_.runDialog(dialog) != QDialog::Accepted) return;
    model_.applyDefaultCurve(dialog.exponent());
}

// The panel gamma changes only the output curve and the gamma text: no undo record, no table,
// nothing sent. An unchanged value does not even repaint.
void EditorDialog::choosePanelCharacteristic() {
    PanelCharacteristicDialog dialog(model_.panelGamma(), user_, this);
    if (user_.runDialog(dialog) != QDialog::Accepted) return;
    model_.applyPanelGamma(dialog.panelGamma());
}

// The computed curve is installed like the default curve, at the point count chosen with it;
// levels clipped to the measured light are named once it is in.
void EditorDialog::chooseGsdfCurve() {
    GsdfCurveDialog dialog(gsdfInput_, model_.panelGamma(), model_.currentTable(), user_, this);
    if (user_.runDialog(dialog) != QDialog::Accepted) return;
    gsdfInput_ = dialog.input();
    model_.applyCurveTable(dialog.table(), gsdfInput_.pointCountIndex);
    if (const QString clipped = dialog.clippingText(); !clipped.isEmpty()) user_.showMessageText(this, clipped);
}

void EditorDialog::chooseConformanceReport() { runConformanceReport(false); }

void EditorDialog::showConformanceReport(const QString& measurementPath, const QString& tablePath) {
    reportInput_.measurementPath = measurementPath;
    reportInput_.tablePath = tablePath;
    runConformanceReport(true);
}

// The window learns the monitor here, so only the link reads it; each report it makes joins that
// monitor's history.
void EditorDialog::runConformanceReport(bool makeAtOnce) {
    FoundMonitor monitor;
    const bool found = monitor_.readIdentity(monitor);
    ConformanceReportWindow window(reportInput_, found ? std::optional(monitor) : std::nullopt, user_, this);
    if (makeAtOnce) window.makeReport();
    user_.runDialog(window);
    reportInput_ = window.input();
}

void EditorDialog::showAboutBox() {
    AboutDialog dialog(user_, this);
    user_.runDialog(dialog);
}

}  // namespace grayden
