#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "engine/FileFailure.h"
#include "resources/StringTable.h"
#include "ui/UiLanguage.h"

namespace grayden {

// The program's interface language, chosen once at start-up and never changed while it runs.
Language uiLanguage();
void setUiLanguage(Language language);

// A string-table entry in the interface language.
QString uiText(int id);

// A message about a file: the entry's text, then the file's path and why, each on a line of its own.
QString fileMessageText(int stringId, const FileFailure& failure);

// "X = %d, Y = %d" and "Panel Gamma : %1.2f" as the string table words them.
QString readoutTextFor(int level, int value);
QString gammaTextFor(double panelGamma);

// The two formula texts of Default Curve Setting: "Panel Gamma : %1.2f" and "Total Gamma : %1.3f".
QString formulaPanelTextFor(double panelGamma);
QString formulaTotalTextFor(double totalGamma);

// The font of the graph's scale labels: the same proportional face in both languages (the
// fallback for Japanese would otherwise be a fixed-width one).
QFont graphLabelFont();

}  // namespace grayden
