#pragma once

#include <QByteArray>
#include <QString>

#include "engine/ConformanceDocument.h"
#include "render/ReportSections.h"

namespace grayden {

// The report as an A4 PDF document: the header, the checks and the verdict, the step table over
// as many pages as it takes, and the plot; every page numbered. Needs a QGuiApplication for its
// fonts. creator names the program in the document's properties.
QByteArray conformancePdf(const ConformanceDocument& document, const ReportSections& sections, const QString& creator);

}  // namespace grayden
