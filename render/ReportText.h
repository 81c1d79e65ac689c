#pragma once

#include <string>

#include "render/ReportSections.h"

namespace grayden {

// The report as plain UTF-8 text with its tables in aligned columns, for a terminal or a file.
std::string reportSectionsText(const ReportSections& sections);

}  // namespace grayden
