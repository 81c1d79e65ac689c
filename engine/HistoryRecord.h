#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ConformanceDocument.h"

namespace grayden {

// One report in a monitor's history: its verdict, the figures a trend is drawn from and the
// limits they were held to then.
struct HistoryRecord {
    std::string date;  // as ReportFacts::dateTime
    std::string criteria;
    bool passed = false;
    double minLuminance = 0;
    double maxLuminance = 0;
    double luminanceRatio = 0;
    double largestDeviationPercent = 0;
    std::optional<double> ambient;
    double tolerancePercent = 0;
    double minMaxLuminance = 0;  // 0: the criteria did not check it
    double minLuminanceRatio = 0;
    double jndSpan = 0;
    std::string measurementFile;
    std::string measurementSha256;
    std::string toneTableFile;
    std::string programVersion;
    std::string monitorModel;
    std::string monitorDevice;

    bool operator==(const HistoryRecord&) const = default;
};

HistoryRecord historyRecordOf(const ConformanceDocument& document);

// One JSON object on one line, without the line end.
std::string formatHistoryLine(const HistoryRecord& record);
// False, with record untouched, for anything but an object with a valid date, a verdict and the
// trend's figures; other members are optional and unknown ones are passed over.
bool parseHistoryLine(std::string_view line, HistoryRecord& record);

// The moment in ISO 8601 local time with the offset from UTC: 2026-12-09T11:30:05+09:00.
std::string isoLocalTime(std::time_t moment);
// Seconds since 1970 (UTC) of such a date, or none when it is not one.
std::optional<std::int64_t> isoTimeSeconds(std::string_view date);

}  // namespace grayden
