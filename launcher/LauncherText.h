#pragma once

#include <QString>

#include "resources/StringTable.h"

namespace grayden {

// The launcher's interface language, chosen once at start-up.
Language launcherLanguage();
void setLauncherLanguage(Language language);

// An entry of the launcher's string table in the interface language.
QString launcherText(int id);

}  // namespace grayden
