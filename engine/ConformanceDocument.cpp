#include "engine/ConformanceDocument.h"

#include <ctime>

#include "engine/HistoryRecord.h"
#include "engine/MonitorHistory.h"
#include "engine/Sha256.h"

namespace grayden {

ReportFacts makeReportFacts(const ReportSource& source, std::string_view measurementBytes,
                            const FoundMonitor* monitor) {
    ReportFacts facts;
    facts.dateTime = isoLocalTime(std::time(nullptr));
    facts.programVersion = source.programVersion;
    if (monitor) {
        facts.monitorModel = monitor->identity.model;
        facts.monitorDevice = monitor->devicePath;
    }
    facts.measurementFile = source.measurementFile;
    facts.measurementSha256 = sha256Hex(measurementBytes);
    facts.toneTableFile = source.toneTableFile;
    facts.ambient = source.ambient;
    return facts;
}

GsdfProblem makeConformanceDocument(const MeasurementList& measurements, const ToneTable& table,
                                    const ConformanceCriteria& criteria, const ReportFacts& facts,
                                    ConformanceDocument& document) {
    ConformanceDocument d;
    const ConformanceOptions options{facts.ambient.value_or(0), criteria.contrastTolerancePercent};
    if (const GsdfProblem problem = makeConformanceReport(measurements, options, d.report); !problem.ok()) {
        return problem;
    }
    d.facts = facts;
    d.criteria = criteria;
    d.verdict = judgeConformance(d.report, criteria);
    d.table = table;
    d.measurements = measurements;
    document = std::move(d);
    return {};
}

}  // namespace grayden
