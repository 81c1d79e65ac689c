#include "render/ReportSections.h"

#include <cmath>

#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }
QString luminance(double value) { return number(value, 2) + QStringLiteral(" cd/m²"); }
QString utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString verdictWord(bool passed) { return uiText(passed ? VerdictPass : VerdictFail); }

QStringList checkRow(const ConformanceCheck& check) {
    switch (check.kind) {
    case CheckKind::ContrastResponse:
        return {uiText(CheckContrastResponse), QString::asprintf("%+.1f %%", check.value),
                uiText(LimitWithinFormat).arg(number(check.limit, 0)), verdictWord(check.passed)};
    case CheckKind::MaxLuminance:
        return {uiText(CheckMaxLuminance), luminance(check.value),
                uiText(LimitAtLeastFormat).arg(number(check.limit, 0) + QStringLiteral(" cd/m²")),
                verdictWord(check.passed)};
    case CheckKind::LuminanceRatio:
        return {uiText(CheckLuminanceRatio), number(check.value, 1),
                uiText(LimitAtLeastFormat).arg(number(check.limit, 0)), verdictWord(check.passed)};
    }
    return {};
}

ReportTable stepTable(const ConformanceDocument& d) {
    ReportTable t;
    t.headings = {uiText(StepColumnStep),      uiText(StepColumnLevels),   uiText(StepColumnDrive),
                  uiText(StepColumnLuminance), uiText(StepColumnObserved), uiText(StepColumnExpected),
                  uiText(StepColumnDeviation)};
    for (std::size_t k = 0; k < d.report.steps.size(); ++k) {
        const ConformanceStep& s = d.report.steps[k];
        QString deviation = QString::asprintf("%+.1f", s.deviationPercent);
        if (!(std::abs(s.deviationPercent) <= d.report.tolerancePercent)) deviation += "  " + verdictWord(false);
        t.rows.append({QString::number(k + 1), QStringLiteral("%1-%2").arg(s.lowerLevel).arg(s.upperLevel),
                       QStringLiteral("%1-%2")
                           .arg(clampLevel<int>(d.table[s.lowerLevel]))
                           .arg(clampLevel<int>(d.table[s.upperLevel])),
                       QString::asprintf("%.4g-%.4g", s.lowerLuminance, s.upperLuminance), number(s.observed, 5),
                       number(s.expected, 5), deviation});
    }
    return t;
}

}  // namespace

QString criteriaDisplayName(const ConformanceCriteria& criteria) {
    if (criteria.name == Tg18Primary.name) return uiText(CriteriaTg18Primary);
    if (criteria.name == Tg18Secondary.name) return uiText(CriteriaTg18Secondary);
    return QString::fromUtf8(criteria.name.data(), static_cast<qsizetype>(criteria.name.size()));
}

ReportSections reportSections(const ConformanceDocument& d) {
    const ReportFacts& f = d.facts;
    const ConformanceVerdict& v = d.verdict;
    ReportSections s;
    s.title = uiText(ReportTitle);
    s.facts = {{uiText(ReportDateTime), utf8(f.dateTime)}, {uiText(ReportProgram), utf8(f.programVersion)}};
    if (f.monitorModel.empty()) {
        s.facts.append({uiText(ReportMonitor), uiText(ReportNoMonitor)});
    } else {
        s.facts.append({uiText(ReportMonitor), utf8(f.monitorModel)});
        s.facts.append({uiText(ReportDevice), utf8(f.monitorDevice)});
    }
    s.facts.append({uiText(ReportMeasurementFile), utf8(f.measurementFile)});
    s.facts.append({uiText(ReportMeasurementSha256), utf8(f.measurementSha256)});
    s.facts.append({uiText(ReportToneTable), utf8(f.toneTableFile)});
    s.facts.append({uiText(ReportAmbient), f.ambient ? luminance(*f.ambient) : uiText(ReportNotMeasured)});
    s.facts.append({uiText(ReportMinLuminance), luminance(v.minLuminance)});
    s.facts.append({uiText(ReportMaxLuminance), luminance(v.maxLuminance)});
    s.facts.append({uiText(ReportLuminanceRatio), number(v.luminanceRatio, 1)});
    s.facts.append({uiText(ReportJndSpan), uiText(ReportJndSpanFormat)
                                               .arg(number(v.jndSpan, 1))
                                               .arg(number(d.report.firstJndIndex, 1))
                                               .arg(number(d.report.lastJndIndex, 1))});
    s.facts.append({uiText(ReportCriteria), criteriaDisplayName(d.criteria)});
    s.criteriaSource = uiText(ReportCriteriaSource);
    s.checksTitle = uiText(ReportChecks);
    s.checks.headings = {uiText(CheckColumnCheck), uiText(CheckColumnValue), uiText(CheckColumnLimit),
                         uiText(CheckColumnVerdict)};
    for (const ConformanceCheck& check : v.checks) s.checks.rows.append(checkRow(check));
    s.verdictLabel = uiText(OverallVerdict);
    s.verdict = verdictWord(v.passed);
    s.passed = v.passed;
    s.stepsTitle = uiText(ReportSteps);
    s.steps = stepTable(d);
    return s;
}

}  // namespace grayden
