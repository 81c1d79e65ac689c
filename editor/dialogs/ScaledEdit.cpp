#include "editor/dialogs/ScaledEdit.h"

#include "editor/dialogs/ScaledNumber.h"

namespace grayden {

ScaledEdit::ScaledEdit(double scale, QWidget* parent)
    : QLineEdit(parent), scale_(scale), decimals_(decimalsForScale(scale)) {}

int ScaledEdit::scaledValue() const { return scaledFromText(text(), scale_); }

void ScaledEdit::setScaledValue(int value) {
    if (scaledValue() == value) return;
    setText(textForScaled(value, scale_));
}

}  // namespace grayden
