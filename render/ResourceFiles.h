#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QJsonObject>
#include <QString>

#include "resources/StringTable.h"
#include "ui/DialogTemplate.h"
#include "ui/ResourceLoading.h"

namespace grayden {

// Registers the compiled-in resources and the dialog fonts; call once before any window exists.
void initEditorResources();

// A JSON resource of the editor (dialog templates, menus, accelerators); empty when missing.
QJsonObject loadResourceJson(const QString& name);

// The editor's dialog resource N in one language, its controls' string-table texts filled in;
// false when it is missing or malformed.
bool loadDialogTemplate(int id, Language language, DialogTemplate& out);

// Bitmap resource N as a 32-bit image, or a null image when there is none.
QImage loadBitmap(int id);

QIcon loadIcon(int id);

// Cursor resource N with its hot spot, or the arrow when there is none.
QCursor loadCursor(int id);

// The "text" of a menu item or dialog control, or, when it names a "textId" instead, that
// string-table entry in the language.
QString resourceText(const QJsonObject& entry, Language language);

}  // namespace grayden
