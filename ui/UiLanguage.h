#pragma once

#include <QStringList>

#include "resources/StringTable.h"

namespace grayden {

// Japanese when the first preferred interface language is Japanese, English otherwise.
Language languageForUiLanguages(const QStringList& uiLanguages);

}  // namespace grayden
