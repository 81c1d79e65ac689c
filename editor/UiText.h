#pragma once

#include <QString>
#include <QStringList>

#include "resources/StringTable.h"

namespace grayden {

// Japanese when the first preferred interface language is Japanese, English otherwise.
Language languageForUiLanguages(const QStringList& uiLanguages);

// The program's interface language, chosen once at start-up and never changed while it runs.
Language uiLanguage();
void setUiLanguage(Language language);

// A string-table entry in the interface language.
QString uiText(int id);

// "X = %d, Y = %d" and "Panel Gamma : %1.2f" as the string table words them.
QString readoutTextFor(int level, int value);
QString gammaTextFor(double panelGamma);

}  // namespace grayden
