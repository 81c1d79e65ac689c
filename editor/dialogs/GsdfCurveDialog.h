#pragma once

#include <QString>

#include "editor/dialogs/TemplateDialog.h"
#include "engine/ControlPoint.h"
#include "engine/GsdfCurve.h"
#include "engine/ToneTable.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace grayden {

class ScaledEdit;

// Why a measurement file gives no curve or report, in the interface language; a file that cannot
// be read is named on the line below the message and the reason below that.
QString gsdfProblemText(const GsdfProblem& problem, const QString& measurementPath);

// What the DICOM GSDF Curve dialog asks for; the editor keeps the last accepted one for the next
// time. Without a measurement file the curve is made for the panel gamma; without a table file
// the measurements count as taken with the curve shown when the measurement file was chosen,
// which is kept here so that the same inputs give the same curve however often they are applied.
struct GsdfCurveInput {
    GsdfTarget target{.minLuminance = 0.5, .maxLuminance = 400.0, .ambient = 0.0};
    QString measurementPath;
    QString measuredWithPath;
    ToneTable curveAtMeasurementChoice{};
    // Every level a point: fewer points miss the standard in the dark.
    int pointCountIndex = AllLevelsPointCountIndex;
};

// DICOM GSDF Curve: the luminances in hundredths of cd/m², the measurement file and the table it
// was measured with, each file with a Browse button. OK computes the curve; a value or file that
// cannot give one keeps the dialog open with its message and the focus in the field at fault.
class GsdfCurveDialog : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 133;
    static constexpr int MinEditId = 1101;
    static constexpr int MaxEditId = 1102;
    static constexpr int AmbientEditId = 1103;
    static constexpr int MeasurementEditId = 1104;
    static constexpr int MeasurementBrowseId = 1105;
    static constexpr int MeasuredWithEditId = 1106;
    static constexpr int MeasuredWithBrowseId = 1107;
    static constexpr int SourceTextId = 1108;
    static constexpr int PointCountListId = 1109;
    static constexpr double Scale = 100.0;

    GsdfCurveDialog(const GsdfCurveInput& input, double panelGamma, const ToneTable& currentTable,
                    UserInteraction& user, QWidget* parent);

    // After OK: what was entered and the curve it gives.
    const GsdfCurveInput& input() const { return input_; }
    const ToneTable& table() const { return table_; }
    // After OK: the clipped levels of a measured curve, as a message; empty when none are.
    QString clippingText() const;

    ScaledEdit& minEdit() { return *minEdit_; }
    ScaledEdit& maxEdit() { return *maxEdit_; }
    ScaledEdit& ambientEdit() { return *ambientEdit_; }
    QLineEdit& measurementEdit() { return *measurementEdit_; }
    QLineEdit& measuredWithEdit() { return *measuredWithEdit_; }
    QPushButton& measurementBrowse() { return *measurementBrowse_; }
    QComboBox& pointCountList() { return *pointCountList_; }
    QLabel& sourceLabel() { return *sourceLabel_; }

    void accept() override;

private:
    void browse(QLineEdit* edit);
    // A new measurement file was taken with the curve shown now.
    void fixMeasuredWithCurve();
    // Says where the curve comes from; the table file counts only with a measurement file.
    void showSource();
    // The curve for the entered values into table_; false after telling the user what is wrong.
    bool computeTable(const GsdfCurveInput& input);
    void refuseProblem(const GsdfProblem& problem, const GsdfTarget& target);

    ScaledEdit* minEdit_;
    ScaledEdit* maxEdit_;
    ScaledEdit* ambientEdit_;
    QLineEdit* measurementEdit_;
    QLineEdit* measuredWithEdit_;
    QPushButton* measurementBrowse_;
    QPushButton* measuredWithBrowse_;
    QLabel* sourceLabel_;
    QComboBox* pointCountList_;
    GsdfCurveInput input_;
    double panelGamma_;
    ToneTable currentTable_;
    ToneTable measuredWithCurve_;
    ToneTable table_{};
    GsdfClipping clipping_;
};

}  // namespace grayden
