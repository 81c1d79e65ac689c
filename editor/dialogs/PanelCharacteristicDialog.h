#pragma once

#include "editor/dialogs/TemplateDialog.h"

namespace grayden {

class ScaledEdit;
class SpinArrows;

// Panel Characteristic: the panel gamma in tenths, stepped by the arrows within 0.1 to 10.0.
// After OK the panel gamma accepted, a multiple of 0.1 within that range.
class PanelCharacteristicDialog : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 132;
    static constexpr int GammaEditId = 1014;
    static constexpr int ArrowsId = 1018;
    static constexpr double Scale = 10.0;

    PanelCharacteristicDialog(double panelGamma, UserInteraction& user, QWidget* parent);

    double panelGamma() const { return panelGamma_; }
    ScaledEdit& gammaEdit() { return *edit_; }
    SpinArrows& arrows() { return *arrows_; }

    void accept() override;

private:
    ScaledEdit* edit_;
    SpinArrows* arrows_;
    double panelGamma_;
};

}  // namespace grayden
