#include "engine/ConformanceDocument.h"

namespace grayden {

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
