#include "editor/dialogs/DefaultCurveDialog.h"

#include <QLabel>

#include <algorithm>
#include <limits>

#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/ScaledNumber.h"
#include "editor/dialogs/SpinArrows.h"
#include "engine/GammaCurves.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

DefaultCurveDialog::DefaultCurveDialog(double exponent, double panelGamma, UserInteraction& user, QWidget* parent)
    : TemplateDialog(TemplateId, user, parent),
      edit_(controlAs<ScaledEdit>(ExponentEditId)),
      arrows_(controlAs<SpinArrows>(ArrowsId)),
      panelLabel_(controlAs<QLabel>(PanelTextId)),
      totalLabel_(controlAs<QLabel>(TotalTextId)),
      exponent_(exponent),
      panelGamma_(panelGamma),
      scaledValue_(scaledFromNumber(exponent, Scale)) {
    panelText_ = formulaPanelTextFor(panelGamma_);
    totalText_ = formulaTotalTextFor(panelGamma_ * exponent_);
    writeControls();
    // Connected only now: writing the first value changes the edit's text, which is not the user's change.
    connect(edit_, &ScaledEdit::textChanged, this, &DefaultCurveDialog::textChanged);
    connect(arrows_, &SpinArrows::stepped, this, &DefaultCurveDialog::arrowStepped);
}

void DefaultCurveDialog::recomputeTexts() {
    panelText_ = formulaPanelTextFor(panelGamma_);
    totalText_ = formulaTotalTextFor(scaledValue_ / Scale * panelGamma_);
}

void DefaultCurveDialog::writeControls() {
    edit_->setScaledValue(scaledValue_);
    panelLabel_->setText(panelText_);
    totalLabel_->setText(totalText_);
}

void DefaultCurveDialog::textChanged() {
    scaledValue_ = edit_->scaledValue();
    recomputeTexts();
    writeControls();
}

void DefaultCurveDialog::arrowStepped(int direction) {
    const long long stepped = static_cast<long long>(edit_->scaledValue()) + direction;
    scaledValue_ = static_cast<int>(
        std::clamp<long long>(stepped, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    recomputeTexts();
    writeControls();
}

void DefaultCurveDialog::accept() {
    const double exponent = edit_->scaledValue() / Scale;
    if (exponent < MinExponent || exponent > MaxExponent) {
        refuseInput(uiText(MsgExponentOutOfRange), nullptr);
        return;
    }
    exponent_ = exponent;
    TemplateDialog::accept();
}

}  // namespace grayden
