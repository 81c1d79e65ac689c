#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QTimer>

#include <memory>

#include "device/hid/HidReportChannel.h"
#include "editor/dialogs/GsdfCurveDialog.h"
#include "editor/graph/GraphWidget.h"
#include "editor/measure/MeasureWindow.h"
#include "editor/report/ConformanceReportWindow.h"
#include "editor/window/FrameWatcher.h"
#include "editor/window/MonitorLink.h"
#include "editor/window/WaitCursor.h"
#include "engine/CurveModel.h"
#include "engine/SettingsStore.h"
#include "render/GraphGeometry.h"
#include "render/ResourceFiles.h"
#include "resources/StringIds.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;

namespace grayden {

class DeviceList;
class PointListCtrl;
class UserInteraction;

// Menu commands of the main window. A command's id is also the id of its status-bar prompt in the
// string table (the menu shows the string with the item's id), so each is named by its prompt.
namespace Command {
constexpr int Open = PromptOpen;
constexpr int Save = PromptSave;
constexpr int SaveAs = PromptSaveAs;
constexpr int Exit = PromptExit;
constexpr int ReadFromMonitor = PromptReadFromMonitor;
constexpr int WriteToMonitor = PromptWriteToMonitor;
constexpr int ControlPoints = PromptControlPoints;
constexpr int DefaultCurve = PromptDefaultCurve;
constexpr int PanelCharacteristic = PromptPanelCharacteristic;
constexpr int GsdfCurve = PromptGsdfCurve;
constexpr int MeasureLuminance = PromptMeasureLuminance;
constexpr int ConformanceReport = PromptConformanceReport;
constexpr int AboutBox = PromptAboutBox;
// Undo has no prompt, so no string carries its id.
constexpr int Undo = 32781;
}  // namespace Command

// The editor's one window: the curve graph, the control-point list, the two check boxes and the
// readout. It owns the curve document and the monitor link the document writes through, and
// refreshes its views when the document says what changed.
//
// Its code is spread over four files:
//   EditorDialog.cpp    construction, the start-up sequence, closing and teardown, the views
//                       that show what changed in the document, and messages;
//   EditorDialogCommands.cpp  the menus and their update pass, command routing, the file commands,
//                       and the check boxes;
//   EditorDialogLayout.cpp  the layout, the start size on the screen, and the handling of show,
//                       resize and changes of the window manager's frame;
//   EditorDialogSettings.cpp  the commands that open the settings dialogs, the report window and
//                       the version box;
//   EditorDialogMeasure.cpp  the measurement window and calibrating with what it saved.
// The graph is a control of its own (GraphWidget) that drags points in the document. The monitor
// commands themselves (Read, Write, Preview, Undo) are the document's; the start-up read and the
// closing write are the monitor link's.
class EditorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 102;
    static constexpr int ResultExit = 0;
    static constexpr int ResultCancel = 2;

    EditorDialog(DeviceList& devices, StringStore& store, UserInteraction& user);
    ~EditorDialog() override;

    // The start-up sequence; false when it refused, after its message, with the window ended.
    bool initialise();
    // initialise, then the modal run; returns the dialog's result.
    int runModal();

    // Menu commands and accelerators arrive here.
    void onCommand(int id);
    // The command-update state of a command: false greys its menu item and drops its accelerator.
    bool isCommandEnabled(int id) const;
    // The conformance report of these files under the criteria last chosen, made at once.
    void showConformanceReport(const QString& measurementPath, const QString& tablePath);

    CurveModel& model() { return model_; }
    PointListCtrl& pointList() { return *pointList_; }
    QCheckBox& previewCheck() { return *previewCheck_; }
    QCheckBox& outputCurveCheck() { return *outputCurveCheck_; }
    QMenuBar& menuBar() { return *menuBar_; }
    GraphWidget& graph() { return *graph_; }
    EdgeRect graphRect() const { return graph_->graphRect(); }
    EdgeRect plotRect() const { return graph_->plotRect(); }
    const QString& readoutText() const { return readoutText_; }
    const QString& gammaText() const { return gammaText_; }
    bool isInitialised() const { return initialised_; }

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    void updatePopup(QMenu* popup);
    void layoutControls();
    void settleFrameSize();
    void bringFrameInside(const QMargins& frame);
    void frameChanged();
    // The stored size is the outer one, frame included.
    void storeOuterSize();
    QMargins frameMargins() const;
    QSize startSizeOnScreen(QSize outer) const;
    void transferTexts();
    void teardown();
    // The views that show what changed in the document.
    void modelChanged(ModelChange what);
    // The graph and the texts under it, after a change of the curve or of the window.
    void repaintCurve();
    void showMessage(int stringId);
    // A file that could not be opened is named, with why; bad contents speak for themselves.
    void showToneFileFailure(ToneFileError error, const FileFailure& failure);

    void previewClicked(bool checked);
    void outputCurveClicked(bool checked);

    void showReadout(int pointIndex);
    void keepChildCursorsOwn();
    void openFile();
    void saveFile();
    void saveFileAs();
    void saveFileTo(const std::string& path);
    void chooseControlPoints();
    void chooseDefaultCurve();
    void choosePanelCharacteristic();
    void chooseGsdfCurve();
    void measureLuminance();
    void calibrateWith(const MeasurementFiles& files, const GsdfTarget& measured);
    void chooseConformanceReport();
    // The report window with reportInput_; makeAtOnce makes the report before it shows.
    void runConformanceReport(bool makeAtOnce);
    void showAboutBox();

    DeviceList& devices_;
    StringStore& store_;
    UserInteraction& user_;
    HidReportChannel channel_;
    WaitCursorFeedback waitCursor_;
    MonitorLink monitor_;
    CurveModel model_;
    DialogTemplate template_;
    // The DICOM GSDF Curve dialog opens with what was last accepted in it.
    GsdfCurveInput gsdfInput_;
    // The report window opens with the files and criteria last used in it.
    ConformanceReportInput reportInput_;

    QLabel* gammaLabel_ = nullptr;
    QLabel* readoutLabel_ = nullptr;
    QGroupBox* infoFrame_ = nullptr;
    GraphWidget* graph_ = nullptr;
    PointListCtrl* pointList_ = nullptr;
    QCheckBox* outputCurveCheck_ = nullptr;
    QCheckBox* previewCheck_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QString readoutText_;
    QString gammaText_;
    QIcon appIcon_;
    bool initialised_ = false;

    bool settingsLoaded_ = false;
    bool tornDown_ = false;
    bool frameSettled_ = false;
    int frameChecks_ = 0;
    int frameSteadyChecks_ = 0;
    QTimer frameTimer_;
    QSize startOuterSize_;
    QSize startClientSize_;
    FrameWatcher frameWatcher_;
};

}  // namespace grayden
