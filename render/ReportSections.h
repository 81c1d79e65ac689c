#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "engine/ConformanceDocument.h"

namespace grayden {

struct ReportTable {
    QStringList headings;
    QList<QStringList> rows;
};

// A conformance report worded in the interface language, for each way it is shown: a header of
// labelled facts, the checks, the overall verdict and the step table.
struct ReportSections {
    QString title;
    QList<QPair<QString, QString>> facts;  // label, value
    QString criteriaSource;
    QString checksTitle;
    ReportTable checks;
    QString verdictLabel;
    QString verdict;
    bool passed = false;
    QString stepsTitle;
    ReportTable steps;
};

ReportSections reportSections(const ConformanceDocument& document);

// The name a criteria set is shown by: the TG18 sets by their words, any other by its own name.
QString criteriaDisplayName(const ConformanceCriteria& criteria);

}  // namespace grayden
