#include "editor/window/EditorDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>

#include <cstdio>

#include "device/hid/DeviceList.h"
#include "device/hid/PermissionHints.h"
#include "editor/app/UserInteraction.h"
#include "editor/pointlist/PointListCtrl.h"
#include "render/ResourceFiles.h"
#include "render/UiText.h"
#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"
#include "ui/DialogUnits.h"

namespace grayden {

namespace {

constexpr int IconId = 128;
constexpr int GraphId = 1001;
constexpr int PreviewCheckId = 1004;
constexpr int OutputCurveCheckId = 1005;
constexpr int ReadoutLabelId = 1007;
constexpr int InfoFrameId = 1013;
constexpr int GammaLabelId = 1019;

}  // namespace

EditorDialog::EditorDialog(DeviceList& devices, StringStore& store, UserInteraction& user)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint),
      devices_(devices),
      store_(store),
      user_(user),
      channel_(devices.platform()),
      monitor_(channel_, devices, &waitCursor_, [this](int stringId) { showMessage(stringId); }),
      model_(monitor_, [this](ModelChange what) { modelChanged(what); }),
      appIcon_(loadIcon(IconId)),
      frameWatcher_(*this, [this] { frameChanged(); }) {
    loadDialogTemplate(TemplateId, uiLanguage(), template_);
    setWindowTitle(template_.title);
    setSizeGripEnabled(false);
    createControls();
    createMenus();
    setMinimumSize(MinWindowWidth, MinWindowHeight);
    connect(&frameTimer_, &QTimer::timeout, this, &EditorDialog::settleFrameSize);
    keepChildCursorsOwn();
}

EditorDialog::~EditorDialog() {
    // An edit box still open loses its focus while the window goes; its commit must not reach
    // a document that no longer exists, so the box closes without one.
    pointList_->cancel();
}

void EditorDialog::createControls() {
    setFont(QFont(template_.fontFamily, template_.pointSize));
    const QSize base = dialogBaseUnits(font());
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    menuBar_->setFont(QApplication::font());
    const int menuHeight = menuBar_->sizeHint().height();
    resize(mapDialogSize(template_.size, base) + QSize(0, menuHeight));

    // Made in template order, which is also the keyboard focus order.
    graph_ = new GraphWidget(model_, this);
    previewCheck_ = new QCheckBox(this);
    outputCurveCheck_ = new QCheckBox(this);
    infoFrame_ = new QGroupBox(this);
    readoutLabel_ = new QLabel(this);
    pointList_ = new PointListCtrl(model_, this);
    gammaLabel_ = new QLabel(this);
    const std::pair<int, QWidget*> controls[] = {
        {GraphId, graph_},          {PreviewCheckId, previewCheck_}, {OutputCurveCheckId, outputCurveCheck_},
        {InfoFrameId, infoFrame_},  {ReadoutLabelId, readoutLabel_}, {PointListCtrl::ControlId, pointList_},
        {GammaLabelId, gammaLabel_}};
    for (const auto& [id, widget] : controls) {
        widget->setObjectName(QString::number(id));
        const ControlTemplate* c = template_.control(id);
        if (!c) continue;
        widget->setGeometry(mapDialogRect(c->rect, base).translated(0, menuHeight));
        widget->setVisible(c->visible);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setText(c->text);
    }
    for (QLabel* label : {readoutLabel_, gammaLabel_}) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The template's graph is a placeholder; here the graph is a control of its own.
    graph_->show();
    // The frame is drawn behind the two texts it surrounds.
    infoFrame_->lower();

    connect(previewCheck_, &QCheckBox::clicked, this, &EditorDialog::previewClicked);
    connect(outputCurveCheck_, &QCheckBox::clicked, this, &EditorDialog::outputCurveClicked);
    // A value still being typed in the list is taken before the graph changes the curve.
    connect(graph_, &GraphWidget::pressed, this, [this] {
        if (pointList_->isEditing()) pointList_->commit();
    });
    connect(graph_, &GraphWidget::pointGrabbed, this, &EditorDialog::showReadout);
}

bool EditorDialog::initialise() {
    setWindowIcon(appIcon_);

    // Discovery, the monitor search, the calibration check and the first read. Every refusal
    // has shown its message; a failed first read ends the window too, so an unknown table is
    // never stored into the monitor on close.
    ToneTable stored{};
    if (monitor_.startUp(model_.panelGamma(), stored) != StartupOutcome::Ready) return false;

    SettingsStore(store_).loadSettings(model_);
    settingsLoaded_ = true;
    startOuterSize_ = startSizeOnScreen(QSize(model_.windowWidth(), model_.windowHeight()));
    startClientSize_ = startOuterSize_.shrunkBy(frameMargins());
    resize(startClientSize_);
    layoutControls();
    readoutText_ = readoutTextFor(0, 0);
    model_.start(stored);
    unsetCursor();
    initialised_ = true;
    return true;
}

int EditorDialog::runModal() {
    if (!initialise()) {
        done(ResultExit);
        return result();
    }
    return exec();
}

void EditorDialog::done(int result) {
    teardown();
    QDialog::done(result);
}

void EditorDialog::reject() {
    // Escape ends the window like Exit: the monitor's table is not written back.
    done(ResultCancel);
}

void EditorDialog::closeEvent(QCloseEvent* event) {
    // The monitor gets back the table it holds permanently, in place of any preview.
    if (!tornDown_) monitor_.writeBaselineOnClose(model_.baselineTable());
    QDialog::closeEvent(event);
}

void EditorDialog::teardown() {
    if (tornDown_) return;
    tornDown_ = true;
    unsetCursor();
    // Settings are written only when they were read, so a refused start keeps the stored ones.
    if (settingsLoaded_) SettingsStore(store_).saveSettings(model_);
    model_.clearUndo();
    pointList_->freeCellStyles();
    monitor_.release();
}

void EditorDialog::modelChanged(ModelChange what) {
    switch (what) {
    case ModelChange::Rebuilt:
        pointList_->fill(true);
        previewCheck_->setChecked(model_.previewOn());
        outputCurveCheck_->setChecked(model_.showOutputCurve());
        break;
    case ModelChange::PointsEdited:
        pointList_->fill(false);
        pointList_->scrollBack();
        break;
    case ModelChange::PointDragged:
        // The list and the monitor wait for the release; the graph follows every move.
        graph_->update();
        showReadout(graph_->drag().dragIndex());
        return;
    case ModelChange::OutputCurve: graph_->update(); return;
    case ModelChange::PanelGamma: break;
    }
    repaintCurve();
}

void EditorDialog::repaintCurve() {
    graph_->update();
    gammaText_ = gammaTextFor(model_.panelGamma());
    transferTexts();
}

void EditorDialog::showToneFileFailure(ToneFileError error, const FileFailure& failure) {
    if (error == ToneFileError::CannotOpen) {
        user_.showMessageText(this, fileMessageText(toneFileMessageId(error), failure));
    } else {
        showMessage(toneFileMessageId(error));
    }
}

void EditorDialog::showMessage(int stringId) {
    // A node that could not be opened may be the monitor; the terminal learns how to reach it
    // while the box is up.
    if (stringId == MsgNoMonitor && !initialised_) std::fputs(unopenedMonitorHints(devices_).c_str(), stderr);
    user_.showMessage(this, stringId);
}

void EditorDialog::transferTexts() {
    readoutLabel_->setText(readoutText_);
    gammaLabel_->setText(gammaText_);
}

void EditorDialog::paintEvent(QPaintEvent*) {
    if (!isMinimized()) return;
    QPainter painter(this);
    const QPixmap icon = appIcon_.pixmap(32, 32);
    painter.drawPixmap((width() - icon.width() + 1) / 2, (height() - icon.height() + 1) / 2, icon);
}

void EditorDialog::showReadout(int pointIndex) {
    if (pointIndex < 0 || pointIndex >= model_.livePointCount()) return;
    const ControlPoint& point = model_.points()[pointIndex];
    readoutText_ = readoutTextFor(point.level, point.value);
    transferTexts();
}

// The hand belongs to the graph: every child control shows its own cursor, the arrow where it
// has none, instead of inheriting the window's.
void EditorDialog::keepChildCursorsOwn() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetCursor)) child->setCursor(Qt::ArrowCursor);
    }
}

}  // namespace grayden
