#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/ConformanceCriteria.h"
#include "engine/ConformanceReport.h"
#include "engine/Measurements.h"
#include "engine/ToneTable.h"

namespace grayden {

struct FoundMonitor;

// Where a report comes from, as its header states it.
struct ReportFacts {
    std::string dateTime;  // local time in ISO 8601 with its offset, 2026-12-09T11:30:05+09:00
    std::string programVersion;
    std::string monitorModel;  // empty when no monitor was found
    std::string monitorDevice;
    std::string measurementFile;
    std::string measurementSha256;
    std::string toneTableFile;
    std::optional<double> ambient;  // cd/m²; none when it was not measured (and counts as 0)
};

// What a report is made from besides the measurements and the table they were taken with.
struct ReportSource {
    std::string programVersion;
    std::string measurementFile;
    std::string toneTableFile;
    std::optional<double> ambient;  // none when it was not measured
};

// The header of a report made now: the source, the digest of the measurement file's bytes and the
// monitor, which is null when none was found.
ReportFacts makeReportFacts(const ReportSource& source, std::string_view measurementBytes, const FoundMonitor* monitor);

// Everything a filed report shows: where it comes from, the criteria, the steps and the checks.
struct ConformanceDocument {
    ReportFacts facts;
    ConformanceCriteria criteria;
    ConformanceReport report;
    ConformanceVerdict verdict;
    ToneTable table{};
    MeasurementList measurements;
};

// Compares the measurements with the standard under the criteria and judges them; the ambient
// of the facts, or 0 when it was not measured, is added to every measurement.
GsdfProblem makeConformanceDocument(const MeasurementList& measurements, const ToneTable& table,
                                    const ConformanceCriteria& criteria, const ReportFacts& facts,
                                    ConformanceDocument& document);

}  // namespace grayden
