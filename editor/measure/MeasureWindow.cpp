#include "editor/measure/MeasureWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMetaMethod>
#include <QPainter>
#include <QPushButton>

#include <cerrno>
#include <cmath>
#include <ctime>

#include "editor/app/UserInteraction.h"
#include "engine/FileFailure.h"
#include "engine/HistoryRecord.h"
#include "engine/ToneFile.h"
#include "platform/FileSave.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

QColor grey(int level) { return QColor(level, level, level); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Text on the background: readable, yet too dim to light the meter's patch.
constexpr int TextLevel = 170;
constexpr int DimTextLevel = 70;

}  // namespace

QString tablePathBeside(const QString& measurementPath) {
    QString stem = measurementPath;
    if (stem.endsWith(".csv", Qt::CaseInsensitive)) stem.chop(4);
    return stem + ".table.csv";
}

MeasureWindow::MeasureWindow(const ToneTable& tableInEffect, UserInteraction& user, QWidget* parent)
    : QWidget(parent, Qt::Window), user_(user), tableInEffect_(tableInEffect) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setWindowTitle(uiText(MenuMeasureLuminance).remove('&'));
    createControls();
    showStep();
}

void MeasureWindow::createControls() {
    fieldLabel_ = new QLabel(uiText(MeasureReadingLabel), this);
    field_ = new QLineEdit(this);
    field_->installEventFilter(this);
    levelCountList_ = new QComboBox(this);
    for (const int count : LevelCountChoices)
        levelCountList_->addItem(uiText(MeasureLevelCountFormat).arg(count), count);
    levelCountList_->setFocusPolicy(Qt::ClickFocus);
    ambientCheck_ = new QCheckBox(uiText(MeasureWithAmbient), this);
    ambientCheck_->setFocusPolicy(Qt::ClickFocus);
    connect(levelCountList_, &QComboBox::currentIndexChanged, this, &MeasureWindow::restart);
    connect(ambientCheck_, &QCheckBox::toggled, this, &MeasureWindow::restart);
    savedLabel_ = new QLabel(this);
    savedLabel_->setAlignment(Qt::AlignCenter);
    calibrateButton_ = new QPushButton(uiText(MeasureCalibrate), this);
    checkButton_ = new QPushButton(uiText(MeasureCheck), this);
    closeButton_ = new QPushButton(uiText(MeasureClose), this);
    // Enter, which took every reading, also presses the focused button of the last step.
    for (QPushButton* button : {calibrateButton_, checkButton_, closeButton_}) button->setAutoDefault(true);
    // The window leaves the screen before the next step's window opens over the editor.
    connect(calibrateButton_, &QPushButton::clicked, this, [this] {
        close();
        emit calibrateRequested(saved_, run_.measuredTarget());
    });
    connect(checkButton_, &QPushButton::clicked, this, [this] {
        close();
        emit checkRequested(saved_);
    });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, grey(TextLevel));
    for (QWidget* label : {static_cast<QWidget*>(fieldLabel_), static_cast<QWidget*>(savedLabel_),
                           static_cast<QWidget*>(ambientCheck_)}) {
        label->setPalette(palette);
    }
    for (QWidget* end : {static_cast<QWidget*>(savedLabel_), static_cast<QWidget*>(calibrateButton_),
                         static_cast<QWidget*>(checkButton_), static_cast<QWidget*>(closeButton_)}) {
        end->hide();
    }
}

// The level count and the ambient step are chosen before the first reading; a new choice starts over.
void MeasureWindow::restart() {
    if (run_.hasReadings()) return;
    const AmbientStep ambient = ambientCheck_->isChecked() ? AmbientStep::Measured : AmbientStep::Skipped;
    run_ = MeasurementRun(levelCountList_->currentData().toInt(), ambient);
    showStep();
    field_->setFocus();
}

bool MeasureWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            takeReading();
            return true;
        }
        if (key == Qt::Key_Backspace && field_->text().isEmpty()) {
            goBack();
            return true;
        }
        if (key == Qt::Key_Escape) {
            askToEnd();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MeasureWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        askToEnd();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MeasureWindow::takeReading() {
    bool isNumber = false;
    const double reading = QLocale::c().toDouble(field_->text().trimmed(), &isNumber);
    if (!isNumber || !std::isfinite(reading)) {
        problemText_ = uiText(MsgReadingNotANumber);
    } else if (!run_.accepts(reading)) {
        problemText_ = uiText(run_.isAmbientStep() ? MsgAmbientReadingNegative : MsgReadingNotPositive);
    } else if (run_.take(reading)) {
        finish();
        return;
    } else {
        showStep();
        return;
    }
    field_->selectAll();
    paintBackBuffer();
    update();
}

void MeasureWindow::goBack() {
    if (run_.goBack()) showStep();
}

void MeasureWindow::askToEnd() {
    const bool nothingToLose = !run_.hasReadings() || !saved_.measurementPath.isEmpty();
    if (nothingToLose || user_.confirm(this, uiText(MsgDiscardMeasurements))) close();
}

// Cancelling the chooser, or a failed save, leaves the user on the last step with its reading.
void MeasureWindow::finish() {
    const QString initial = QStringLiteral("measurements-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path = user_.chooseSavePath(this, initial);
    if (path.isEmpty() || !saveFiles(path)) {
        showStep();
        return;
    }
    offerNextSteps();
}

bool MeasureWindow::saveFiles(const QString& path) {
    const std::string takenAt = isoLocalTime(std::time(nullptr));
    const QString tablePath = tablePathBeside(path);
    const std::pair<QString, std::string> files[] = {
        {path, formatMeasurementText(run_.measurements(), run_.ambient(), takenAt)},
        {tablePath, formatToneText(tableInEffect_)},
    };
    for (const auto& [file, text] : files) {
        const std::string target = localPath(file);
        if (!saveFile(target, text)) {
            const FileFailure failure{target, FileFailure::Cause::System, errno};
            user_.showMessageText(this, fileMessageText(MsgMeasurementCannotSave, failure));
            return false;
        }
    }
    saved_ = {path, tablePath};
    return true;
}

void MeasureWindow::showStep() {
    problemText_.clear();
    if (run_.isAmbientStep()) {
        stepText_ = uiText(MeasureAmbientStepFormat).arg(run_.step() + 1).arg(run_.stepCount());
    } else {
        stepText_ = uiText(MeasureLevelStepFormat).arg(run_.level()).arg(run_.step() + 1).arg(run_.stepCount());
    }
    const std::optional<double>& reading = run_.reading();
    field_->setText(reading ? QString::number(*reading, 'g', 10) : QString());
    const bool choosing = !run_.hasReadings();
    levelCountList_->setEnabled(choosing);
    ambientCheck_->setEnabled(choosing);
    paintBackBuffer();
    update();
}

void MeasureWindow::offerNextSteps() {
    stepText_.clear();
    savedLabel_->setText(uiText(MeasureSavedFormat).arg(saved_.measurementPath, saved_.tablePath));
    for (QWidget* during : {static_cast<QWidget*>(field_), static_cast<QWidget*>(fieldLabel_),
                            static_cast<QWidget*>(levelCountList_), static_cast<QWidget*>(ambientCheck_)}) {
        during->hide();
    }
    for (QWidget* end : {static_cast<QWidget*>(savedLabel_), static_cast<QWidget*>(calibrateButton_),
                         static_cast<QWidget*>(checkButton_), static_cast<QWidget*>(closeButton_)}) {
        end->show();
    }
    // Checking needs the report window; without one listening there is nothing to check with.
    checkButton_->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&MeasureWindow::checkRequested)));
    calibrateButton_->setFocus();
    paintBackBuffer();
    update();
}

QSize MeasureWindow::deviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

// A square of a tenth of the screen's area, centred, in whole device pixels.
QRect MeasureWindow::patchRect() const {
    const QSize size = deviceSize();
    const int side = static_cast<int>(std::lround(std::sqrt(0.1 * size.width() * size.height())));
    return {(size.width() - side) / 2, (size.height() - side) / 2, side, side};
}

// The patch is filled in device pixels with the level's grey as it is: the buffer carries no
// colour space, and it is copied to the window unscaled, so no pixel of it is blended or mapped.
void MeasureWindow::paintBackBuffer() {
    const qreal ratio = devicePixelRatioF();
    if (backBuffer_.size() != deviceSize()) backBuffer_ = QImage(deviceSize(), QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(1);
    const bool measuring = saved_.measurementPath.isEmpty();
    const bool dark = measuring && run_.isAmbientStep();
    {
        QPainter painter(&backBuffer_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(backBuffer_.rect(), grey(dark ? DarkLevel : BackgroundLevel));
        if (measuring && !dark) painter.fillRect(patchRect(), grey(run_.level()));
    }
    backBuffer_.setDevicePixelRatio(ratio);
    QPainter painter(&backBuffer_);
    QFont font = this->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    painter.setFont(font);
    const QRectF patch(QPointF(patchRect().topLeft()) / ratio, QSizeF(patchRect().size()) / ratio);
    const qreal line = painter.fontMetrics().height();
    painter.setPen(grey(dark ? DimTextLevel : TextLevel));
    painter.drawText(QRectF(0, patch.top() - 2.5 * line, width(), line), Qt::AlignCenter, stepText_);
    painter.setFont(this->font());
    const qreal small = painter.fontMetrics().height();
    const qreal below = field_->geometry().bottom() + small;
    painter.drawText(QRectF(0, below, width(), small), Qt::AlignCenter, problemText_);
    if (measuring)
        painter.drawText(QRectF(0, below + 2 * small, width(), small), Qt::AlignCenter, uiText(MeasureKeysHint));
}

void MeasureWindow::layoutControls() {
    const qreal ratio = devicePixelRatioF();
    const QRect patch = patchRect();
    const int bottom = qRound((patch.bottom() + 1) / ratio);
    const int line = fontMetrics().height();
    const int fieldWidth = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14;
    const int labelWidth = fieldLabel_->sizeHint().width();
    const int rowTop = bottom + 2 * line;
    const int rowLeft = (width() - labelWidth - line - fieldWidth) / 2;
    fieldLabel_->setGeometry(rowLeft, rowTop, labelWidth, field_->sizeHint().height());
    field_->setGeometry(rowLeft + labelWidth + line, rowTop, fieldWidth, field_->sizeHint().height());
    const int margin = 2 * line;
    const QSize listSize = levelCountList_->sizeHint();
    levelCountList_->setGeometry(margin, height() - margin - listSize.height(), listSize.width(), listSize.height());
    const QSize checkSize = ambientCheck_->sizeHint();
    ambientCheck_->setGeometry(margin + listSize.width() + line, height() - margin - listSize.height(),
                               checkSize.width(), listSize.height());
    const int centreY = height() / 2;
    savedLabel_->setGeometry(0, centreY - 3 * line, width(), 2 * line);
    int buttonsWidth = 0;
    for (const QPushButton* button : {calibrateButton_, checkButton_, closeButton_}) {
        buttonsWidth += button->sizeHint().width() + line;
    }
    int x = (width() - buttonsWidth + line) / 2;
    for (QPushButton* button : {calibrateButton_, checkButton_, closeButton_}) {
        button->setGeometry(x, centreY, button->sizeHint().width(), button->sizeHint().height());
        x += button->sizeHint().width() + line;
    }
}

void MeasureWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
    paintBackBuffer();
}

void MeasureWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutControls();
    paintBackBuffer();
    activateWindow();
    field_->setFocus();
}

void MeasureWindow::paintEvent(QPaintEvent*) {
    if (backBuffer_.devicePixelRatio() != devicePixelRatioF()) paintBackBuffer();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), backBuffer_);
}

}  // namespace grayden
