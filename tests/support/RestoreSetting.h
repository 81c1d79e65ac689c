#pragma once

#include "engine/CurveModel.h"

namespace grayden::testing {

// Puts one stored value into the document as loading the settings would, without an operation.
template <typename T, typename V>
void restoreSetting(CurveModel& model, T ModelSettings::*field, V value) {
    ModelSettings settings = model.settings();
    settings.*field = static_cast<T>(value);
    model.restoreSettings(settings);
}

}  // namespace grayden::testing
