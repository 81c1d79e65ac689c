#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QJsonObject>
#include <QString>

#include "resources/StringTable.h"

namespace grayden {

// The compiled-in resources of one program live below ":/FOLDER/"; these read them by name and
// resource number the same way for both window programs.

// A JSON resource (dialog template, menu, accelerators, cursor description); empty when missing.
QJsonObject loadJsonResource(const QString& folder, const QString& name);

// The image at a resource path, read in the format its name ends with; null when missing.
QImage loadImageResource(const QString& path);

// Icon resource N with its 16-pixel variant where there is one.
QIcon loadIconResource(const QString& folder, int id);

// Cursor resource N with its hot spot, or the arrow when there is none.
QCursor loadCursorResource(const QString& folder, int id);

// The key under which a language's variant of a resource is stored ("en", "ja").
QString languageKey(Language language);

// Fontconfig knows Arial as Liberation Sans but not the Japanese dialog font; call once before
// any window exists.
void registerDialogFontSubstitutes();

// The application's own font (menus, message boxes, anything without a template font) in the
// interface language: for Japanese the proportional face of the dialogs, since fontconfig's
// default Japanese sans face is fixed-width. The size stays the base font's.
QFont interfaceFont(Language language, const QFont& base);

}  // namespace grayden
