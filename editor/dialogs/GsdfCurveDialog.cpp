#include "editor/dialogs/GsdfCurveDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <cstring>

#include "editor/app/UserInteraction.h"
#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/ScaledNumber.h"
#include "engine/Gsdf.h"
#include "engine/Measurements.h"
#include "engine/ToneFile.h"
#include "render/UiText.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QString gsdfProblemText(const GsdfProblem& problem, const QString& measurementPath) {
    QString text = uiText(gsdfMessageId(problem.error));
    if (gsdfMessageNamesLine(problem.error)) text.replace("%d", QString::number(problem.line));
    if (problem.error == GsdfError::CannotReadMeasurements) {
        const int reasonId = unreadableReasonId(problem);
        text += '\n' + measurementPath + '\n' +
                (reasonId ? uiText(reasonId) : QString::fromLocal8Bit(std::strerror(problem.systemError)));
    }
    return text;
}

GsdfCurveDialog::GsdfCurveDialog(const GsdfCurveInput& input, double panelGamma, const ToneTable& currentTable,
                                 UserInteraction& user, QWidget* parent)
    : TemplateDialog(TemplateId, user, parent),
      minEdit_(controlAs<ScaledEdit>(MinEditId)),
      maxEdit_(controlAs<ScaledEdit>(MaxEditId)),
      ambientEdit_(controlAs<ScaledEdit>(AmbientEditId)),
      measurementEdit_(controlAs<QLineEdit>(MeasurementEditId)),
      measuredWithEdit_(controlAs<QLineEdit>(MeasuredWithEditId)),
      measurementBrowse_(controlAs<QPushButton>(MeasurementBrowseId)),
      measuredWithBrowse_(controlAs<QPushButton>(MeasuredWithBrowseId)),
      sourceLabel_(controlAs<QLabel>(SourceTextId)),
      pointCountList_(controlAs<QComboBox>(PointCountListId)),
      input_(input),
      panelGamma_(panelGamma),
      currentTable_(currentTable),
      measuredWithCurve_(isBlank(input.measurementPath) ? currentTable : input.curveAtMeasurementChoice) {
    // Written as text: an ambient light of 0 shows as 0.00 rather than as an empty edit.
    minEdit_->setText(textForScaled(scaledFromNumber(input.target.minLuminance, Scale), Scale));
    maxEdit_->setText(textForScaled(scaledFromNumber(input.target.maxLuminance, Scale), Scale));
    ambientEdit_->setText(textForScaled(scaledFromNumber(input.target.ambient, Scale), Scale));
    measurementEdit_->setText(input.measurementPath);
    measuredWithEdit_->setText(input.measuredWithPath);
    for (int count : CurvePointCount) pointCountList_->addItem(QString::number(count));
    pointCountList_->setCurrentIndex(isValidPointCountIndex(input.pointCountIndex) ? input.pointCountIndex
                                                                                   : AllLevelsPointCountIndex);
    showSource();
    connect(measurementEdit_, &QLineEdit::textChanged, this, &GsdfCurveDialog::fixMeasuredWithCurve);
    connect(measurementEdit_, &QLineEdit::textChanged, this, &GsdfCurveDialog::showSource);
    connect(measuredWithEdit_, &QLineEdit::textChanged, this, &GsdfCurveDialog::showSource);
    connect(measurementBrowse_, &QPushButton::clicked, this, [this] { browse(measurementEdit_); });
    connect(measuredWithBrowse_, &QPushButton::clicked, this, [this] { browse(measuredWithEdit_); });
}

void GsdfCurveDialog::browse(QLineEdit* edit) {
    const QString path = user().chooseOpenPath(this);
    if (!path.isEmpty()) edit->setText(path);
}

void GsdfCurveDialog::fixMeasuredWithCurve() { measuredWithCurve_ = currentTable_; }

QString GsdfCurveDialog::clippingText() const {
    if (clipping_.darkLevels + clipping_.brightLevels == 0) return {};
    return uiText(MsgGsdfLevelsClipped).arg(clipping_.darkLevels).arg(clipping_.brightLevels);
}

void GsdfCurveDialog::showSource() {
    const bool measured = !isBlank(measurementEdit_->text());
    measuredWithEdit_->setEnabled(measured);
    measuredWithBrowse_->setEnabled(measured);
    if (!measured)
        sourceLabel_->setText(uiText(GsdfSourcePanelGamma).arg(QString::number(panelGamma_, 'f', 2)));
    else
        sourceLabel_->setText(
            uiText(isBlank(measuredWithEdit_->text()) ? GsdfSourceCurrentCurve : GsdfSourceTableFile));
}

void GsdfCurveDialog::refuseProblem(const GsdfProblem& problem, const GsdfTarget& target) {
    QLineEdit* atFault = measurementEdit_;
    switch (problem.error) {
    case GsdfError::AmbientNegative: atFault = ambientEdit_; break;
    case GsdfError::LuminanceOrder: atFault = maxEdit_; break;
    // The luminances asked for, rather than the file, are what the user can still move.
    case GsdfError::TargetOutsideMeasured: atFault = minEdit_; break;
    case GsdfError::LuminanceOutOfRange: {
        const double darkest = target.minLuminance + target.ambient;
        atFault = darkest >= MinGsdfLuminance && darkest <= MaxGsdfLuminance ? maxEdit_ : minEdit_;
        break;
    }
    // The panel gamma comes from Panel Characteristic, not from this dialog.
    case GsdfError::PanelGammaOutOfRange: atFault = nullptr; break;
    default: break;
    }
    refuseInput(gsdfProblemText(problem, measurementEdit_->text()), atFault);
}

bool GsdfCurveDialog::computeTable(const GsdfCurveInput& input) {
    if (const GsdfProblem problem = checkGsdfTarget(input.target); !problem.ok()) {
        refuseProblem(problem, input.target);
        return false;
    }
    GsdfProblem problem;
    clipping_ = {};
    if (isBlank(input.measurementPath)) {
        problem = makeGsdfModelCurve(input.target, panelGamma_, table_);
    } else {
        MeasurementList measurements;
        problem = readMeasurementFile(localPath(input.measurementPath), measurements);
        ToneTable measuredWith = measuredWithCurve_;
        if (problem.ok() && !isBlank(input.measuredWithPath) &&
            readToneFile(localPath(input.measuredWithPath), measuredWith) != ToneFileError::None) {
            refuseInput(uiText(MsgMeasuredWithUnreadable), measuredWithEdit_);
            return false;
        }
        if (problem.ok()) problem = makeGsdfMeasuredCurve(input.target, measurements, measuredWith, table_, &clipping_);
    }
    if (problem.ok()) return true;
    refuseProblem(problem, input.target);
    return false;
}

void GsdfCurveDialog::accept() {
    // A luminance that is no number would be read as 0, which is a valid ambient light; an empty
    // ambient field is the default, no ambient light.
    for (ScaledEdit* edit : {minEdit_, maxEdit_, ambientEdit_}) {
        if (!isNumberText(edit->text()) && !(edit == ambientEdit_ && isBlank(edit->text()))) {
            refuseInput(uiText(MsgGsdfNotANumber), edit);
            return;
        }
    }
    GsdfCurveInput input;
    input.target.minLuminance = minEdit_->scaledValue() / Scale;
    input.target.maxLuminance = maxEdit_->scaledValue() / Scale;
    input.target.ambient = ambientEdit_->scaledValue() / Scale;
    input.measurementPath = measurementEdit_->text();
    input.measuredWithPath = measuredWithEdit_->text();
    input.curveAtMeasurementChoice = measuredWithCurve_;
    input.pointCountIndex = pointCountList_->currentIndex();
    if (!computeTable(input)) return;
    input_ = input;
    TemplateDialog::accept();
}

}  // namespace grayden
