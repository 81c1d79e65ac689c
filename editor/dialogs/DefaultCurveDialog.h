#pragma once

#include <QString>

#include "editor/dialogs/TemplateDialog.h"

class QLabel;

namespace grayden {

class ScaledEdit;
class SpinArrows;

// Default Curve Setting: the exponent in thousandths beside the formula exponent × panel gamma =
// total gamma, whose texts follow every change of the edit. After OK the exponent accepted, a
// multiple of 0.001 within 0.5 to 10.
class DefaultCurveDialog : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 131;
    static constexpr int ExponentEditId = 1016;
    static constexpr int ArrowsId = 1017;
    static constexpr int PanelTextId = 1020;
    static constexpr int TotalTextId = 1021;
    static constexpr double Scale = 1000.0;

    DefaultCurveDialog(double exponent, double panelGamma, UserInteraction& user, QWidget* parent);

    double exponent() const { return exponent_; }
    ScaledEdit& exponentEdit() { return *edit_; }
    SpinArrows& arrows() { return *arrows_; }
    QLabel& panelLabel() { return *panelLabel_; }
    QLabel& totalLabel() { return *totalLabel_; }

    void accept() override;

private:
    void textChanged();
    // The arrows step the exponent by a thousandth, without bounds: the check comes with OK.
    void arrowStepped(int direction);
    void recomputeTexts();
    void writeControls();

    ScaledEdit* edit_;
    SpinArrows* arrows_;
    QLabel* panelLabel_;
    QLabel* totalLabel_;
    double exponent_;
    double panelGamma_;
    int scaledValue_;
    QString panelText_;
    QString totalText_;
};

}  // namespace grayden
