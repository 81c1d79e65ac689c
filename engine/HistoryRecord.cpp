#include "engine/HistoryRecord.h"

#include <charconv>
#include <chrono>
#include <cstdio>

#include "engine/FlatJson.h"

namespace grayden {

namespace {

bool digitsAt(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    std::from_chars(text.data() + at, text.data() + at + count, value);
    return true;
}

const FlatJsonValue* member(const FlatJsonObject& object, std::string_view name, FlatJsonValue::Kind kind) {
    const auto found = object.find(name);
    return found != object.end() && found->second.kind == kind ? &found->second : nullptr;
}

void readString(const FlatJsonObject& object, std::string_view name, std::string& out) {
    if (const FlatJsonValue* v = member(object, name, FlatJsonValue::Kind::String)) out = v->text;
}

void readNumber(const FlatJsonObject& object, std::string_view name, double& out) {
    if (const FlatJsonValue* v = member(object, name, FlatJsonValue::Kind::Number)) out = v->number;
}

}  // namespace

HistoryRecord historyRecordOf(const ConformanceDocument& document) {
    const ReportFacts& f = document.facts;
    const ConformanceVerdict& v = document.verdict;
    return {f.dateTime,
            std::string(document.criteria.name),
            v.passed,
            v.minLuminance,
            v.maxLuminance,
            v.luminanceRatio,
            document.report.largestDeviationPercent,
            f.ambient,
            document.criteria.contrastTolerancePercent,
            document.criteria.minMaxLuminance,
            document.criteria.minLuminanceRatio,
            v.jndSpan,
            f.measurementFile,
            f.measurementSha256,
            f.toneTableFile,
            f.programVersion,
            f.monitorModel,
            f.monitorDevice};
}

std::string formatHistoryLine(const HistoryRecord& r) {
    FlatJsonWriter w;
    w.string("date", r.date);
    w.string("criteria", r.criteria);
    w.string("verdict", r.passed ? "pass" : "fail");
    w.number("lmin", r.minLuminance);
    w.number("lmax", r.maxLuminance);
    w.number("ratio", r.luminanceRatio);
    w.number("largestDeviation", r.largestDeviationPercent);
    if (r.ambient) {
        w.number("ambient", *r.ambient);
    } else {
        w.null("ambient");
    }
    w.number("tolerance", r.tolerancePercent);
    w.number("minLmax", r.minMaxLuminance);
    w.number("minRatio", r.minLuminanceRatio);
    w.number("jndSpan", r.jndSpan);
    w.string("measurement", r.measurementFile);
    w.string("sha256", r.measurementSha256);
    w.string("table", r.toneTableFile);
    w.string("version", r.programVersion);
    w.string("model", r.monitorModel);
    w.string("device", r.monitorDevice);
    return w.finished();
}

bool parseHistoryLine(std::string_view line, HistoryRecord& record) {
    FlatJsonObject o;
    if (!parseFlatJsonObject(line, o)) return false;
    const FlatJsonValue* date = member(o, "date", FlatJsonValue::Kind::String);
    const FlatJsonValue* verdict = member(o, "verdict", FlatJsonValue::Kind::String);
    if (!date || !isoTimeSeconds(date->text) || !verdict || (verdict->text != "pass" && verdict->text != "fail")) {
        return false;
    }
    for (const char* figure : {"lmax", "ratio", "largestDeviation"}) {
        if (!member(o, figure, FlatJsonValue::Kind::Number)) return false;
    }
    HistoryRecord r;
    r.date = date->text;
    r.passed = verdict->text == "pass";
    readString(o, "criteria", r.criteria);
    readNumber(o, "lmin", r.minLuminance);
    readNumber(o, "lmax", r.maxLuminance);
    readNumber(o, "ratio", r.luminanceRatio);
    readNumber(o, "largestDeviation", r.largestDeviationPercent);
    if (const FlatJsonValue* ambient = member(o, "ambient", FlatJsonValue::Kind::Number)) r.ambient = ambient->number;
    readNumber(o, "tolerance", r.tolerancePercent);
    readNumber(o, "minLmax", r.minMaxLuminance);
    readNumber(o, "minRatio", r.minLuminanceRatio);
    readNumber(o, "jndSpan", r.jndSpan);
    readString(o, "measurement", r.measurementFile);
    readString(o, "sha256", r.measurementSha256);
    readString(o, "table", r.toneTableFile);
    readString(o, "version", r.programVersion);
    readString(o, "model", r.monitorModel);
    readString(o, "device", r.monitorDevice);
    record = std::move(r);
    return true;
}

std::string isoLocalTime(std::time_t moment) {
    std::tm local{};
    if (const std::tm* t = std::localtime(&moment)) local = *t;
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    // strftime gives the offset as +0900; ISO 8601's extended form writes +09:00.
    const std::string_view iso = text;
    if (iso.size() < 5) return std::string(iso);
    return std::string(iso.substr(0, iso.size() - 2)) + ":" + std::string(iso.substr(iso.size() - 2));
}

std::optional<std::int64_t> isoTimeSeconds(std::string_view date) {
    // YYYY-MM-DDTHH:MM:SS followed by Z or ±HH:MM.
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (date.size() < 20 || !digitsAt(date, 0, 4, year) || date[4] != '-' || !digitsAt(date, 5, 2, month) ||
        date[7] != '-' || !digitsAt(date, 8, 2, day) || date[10] != 'T' || !digitsAt(date, 11, 2, hour) ||
        date[13] != ':' || !digitsAt(date, 14, 2, minute) || date[16] != ':' || !digitsAt(date, 17, 2, second)) {
        return std::nullopt;
    }
    int offsetMinutes = 0;
    const std::string_view zone = date.substr(19);
    if (zone != "Z") {
        int offsetHours = 0, offsetRest = 0;
        if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || !digitsAt(zone, 1, 2, offsetHours) ||
            zone[3] != ':' || !digitsAt(zone, 4, 2, offsetRest) || offsetHours > 23 || offsetRest > 59) {
            return std::nullopt;
        }
        offsetMinutes = (zone[0] == '-' ? -1 : 1) * (offsetHours * 60 + offsetRest);
    }
    using namespace std::chrono;
    const year_month_day ymd{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                             std::chrono::day(static_cast<unsigned>(day))};
    if (!ymd.ok() || hour > 23 || minute > 59 || second > 60) return std::nullopt;
    const std::int64_t days = sys_days(ymd).time_since_epoch().count();
    return days * 86400 + hour * 3600 + minute * 60 + second - offsetMinutes * 60;
}

}  // namespace grayden
