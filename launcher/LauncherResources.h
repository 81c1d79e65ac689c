#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include "resources/StringTable.h"
#include "ui/DialogTemplate.h"

namespace grayden {

// Registers the compiled-in resources and the dialog fonts; call once before any window exists.
void initLauncherResources();

// Dialog resource N of the launcher in one language; false when it is missing or malformed.
bool loadLauncherDialog(int id, Language language, DialogTemplate& out);

// Bitmap resource N in one language (the captioned ones have a variant per language), or a
// null pixmap when there is none.
QPixmap loadLauncherBitmap(int id, Language language);

QIcon loadLauncherIcon(int id);

// Cursor resource N with its hot spot, or the arrow when there is none.
QCursor loadLauncherCursor(int id);

}  // namespace grayden
