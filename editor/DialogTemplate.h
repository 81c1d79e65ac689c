#pragma once

#include "resources/StringTable.h"
#include "ui/DialogTemplate.h"

namespace grayden {

// Reads the editor's dialog resource N in one language; false when it is missing or malformed.
bool loadDialogTemplate(int id, Language language, DialogTemplate& out);

}  // namespace grayden
