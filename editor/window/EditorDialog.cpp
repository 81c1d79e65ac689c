#include "editor/window/EditorDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QtMath>

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
constexpr int HandCursorId = 144;
constexpr int GraphPlaceholderId = 1001;
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
      frameWatcher_(*this, [this] { frameChanged(); }),
      handCursor_(loadCursor(HandCursorId)),
      confinement_(makePointerConfinement()) {
    loadDialogTemplate(TemplateId, uiLanguage(), template_);
    setWindowTitle(template_.title);
    setSizeGripEnabled(false);
    createControls();
    createMenus();
    setMinimumSize(MinWindowWidth, MinWindowHeight);
    connect(&frameTimer_, &QTimer::timeout, this, &EditorDialog::settleFrameSize);
    // Hovering over the graph changes the cursor, so moves arrive without a button held.
    setMouseTracking(true);
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
    graphPlaceholder_ = new QWidget(this);
    previewCheck_ = new QCheckBox(this);
    outputCurveCheck_ = new QCheckBox(this);
    infoFrame_ = new QGroupBox(this);
    readoutLabel_ = new QLabel(this);
    pointList_ = new PointListCtrl(model_, this);
    gammaLabel_ = new QLabel(this);
    const std::pair<int, QWidget*> controls[] = {{GraphPlaceholderId, graphPlaceholder_},
                                                 {PreviewCheckId, previewCheck_},
                                                 {OutputCurveCheckId, outputCurveCheck_},
                                                 {InfoFrameId, infoFrame_},
                                                 {ReadoutLabelId, readoutLabel_},
                                                 {PointListCtrl::ControlId, pointList_},
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
    // The frame is drawn behind the two texts it surrounds.
    infoFrame_->lower();

    connect(previewCheck_, &QCheckBox::clicked, this, &EditorDialog::previewClicked);
    connect(outputCurveCheck_, &QCheckBox::clicked, this, &EditorDialog::outputCurveClicked);
}

bool EditorDialog::initialise() {
    setWindowIcon(appIcon_);
    ensureBackBuffer();
    graphRect_ = EdgeRect::fromQRect(graphPlaceholder_->geometry());
    plotRect_ = plotRectOf(graphRect_);

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
        invalidateGraph();
        showReadout(graphDrag_.dragIndex());
        return;
    case ModelChange::OutputCurve: invalidateGraph(); return;
    case ModelChange::PanelGamma: break;
    }
    repaintCurve();
}

void EditorDialog::repaintCurve() {
    invalidateGraph();
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

void EditorDialog::invalidateGraph() {
    update(QRect(graphRect_.left, graphRect_.top, graphRect_.width(), std::max(0, height() - graphRect_.top)));
}

void EditorDialog::ensureBackBuffer() {
    const qreal ratio = devicePixelRatio();
    const QSize pixels(qCeil(width() * ratio), qCeil(height() * ratio));
    if (backBuffer_.size() == pixels && backBuffer_.devicePixelRatio() == ratio) return;
    backBuffer_ = QImage(pixels, QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(ratio);
}

void EditorDialog::renderGraph() {
    // The window may have moved to a screen of another pixel ratio since the last resize.
    ensureBackBuffer();
    if (backBuffer_.isNull()) return;
    const GraphScene scene{&model_.currentTable(),
                           &model_.points(),
                           model_.livePointCount(),
                           model_.showOutputCurve(),
                           model_.panelGamma(),
                           graphRect_,
                           plotRect_};
    graph_.paint(backBuffer_, scene);
}

void EditorDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isMinimized()) {
        const QPixmap icon = appIcon_.pixmap(32, 32);
        painter.drawPixmap((width() - icon.width() + 1) / 2, (height() - icon.height() + 1) / 2, icon);
        return;
    }
    renderGraph();
    const qreal ratio = backBuffer_.devicePixelRatio();
    const QRectF graph = graphRect_.toQRect();
    painter.drawImage(graph, backBuffer_, QRectF(graph.topLeft() * ratio, graph.size() * ratio));
}

}  // namespace grayden
