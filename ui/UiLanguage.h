#pragma once

#include <QStringList>

#include "resources/StringTable.h"

class QTranslator;

namespace grayden {

// Japanese when the first preferred interface language is Japanese, English otherwise.
Language languageForUiLanguages(const QStringList& uiLanguages);

// Qt's own texts (file dialogs, message-box buttons, context menus) in the interface language:
// for Japanese, Qt's translations are installed into the application, which owns them. Returns
// the installed translator, or null for English or when Qt's translations are not there.
QTranslator* installQtTranslations(Language language);

}  // namespace grayden
