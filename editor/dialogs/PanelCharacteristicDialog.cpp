#include "editor/dialogs/PanelCharacteristicDialog.h"

#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/ScaledNumber.h"
#include "editor/dialogs/SpinArrows.h"
#include "engine/GammaCurves.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

// The bounds as the range message names them: 0.1 and 10.
QString boundText(double bound) { return QString::asprintf("%.*g", 15, bound); }

}  // namespace

PanelCharacteristicDialog::PanelCharacteristicDialog(double panelGamma, UserInteraction& user, QWidget* parent)
    : TemplateDialog(TemplateId, user, parent),
      edit_(controlAs<ScaledEdit>(GammaEditId)),
      arrows_(controlAs<SpinArrows>(ArrowsId)),
      panelGamma_(panelGamma) {
    arrows_->setBuddyRange(scaledFromNumber(MinPanelGamma, Scale), scaledFromNumber(MaxPanelGamma, Scale));
    edit_->setScaledValue(scaledFromNumber(panelGamma, Scale));
}

void PanelCharacteristicDialog::accept() {
    const double gamma = edit_->scaledValue() / Scale;
    if (gamma < MinPanelGamma || gamma > MaxPanelGamma) {
        refuseInput(uiText(PanelGammaRangeFormat).arg(boundText(MinPanelGamma), boundText(MaxPanelGamma)), edit_);
        return;
    }
    panelGamma_ = gamma;
    TemplateDialog::accept();
}

}  // namespace grayden
