#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "editor/measure/MeasurementRun.h"
#include "engine/ToneTable.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grayden {

class UserInteraction;

// The two files a run leaves: the readings and, beside them, the table the monitor showed them with.
struct MeasurementFiles {
    QString measurementPath;
    QString tablePath;
};

// NAME.table.csv beside NAME.csv (or beside NAME when it has no .csv ending).
QString tablePathBeside(const QString& measurementPath);

// The full-screen window a user measures the screen in with a handheld meter: a uniform
// background, a centred patch of a tenth of the screen at the drive level, and below it the
// field for the meter's reading. Enter takes the reading, Backspace in an empty field goes back,
// Escape ends (asking first when readings would be lost). After the last step it saves the
// readings and the table in effect, then offers calibrating and checking with them.
class MeasureWindow : public QWidget {
    Q_OBJECT
public:
    // The background every patch is shown on, and the whole screen while the ambient light is read.
    static constexpr int BackgroundLevel = 51;
    static constexpr int DarkLevel = 0;

    // tableInEffect: what the monitor maps the drive levels with while the user measures.
    MeasureWindow(const ToneTable& tableInEffect, UserInteraction& user, QWidget* parent);

    const MeasurementRun& run() const { return run_; }
    QLineEdit& readingField() { return *field_; }
    QComboBox& levelCountList() { return *levelCountList_; }
    QCheckBox& ambientCheck() { return *ambientCheck_; }
    QPushButton& calibrateButton() { return *calibrateButton_; }
    QPushButton& checkButton() { return *checkButton_; }
    const QString& stepText() const { return stepText_; }
    // Why the last reading was refused; empty when it was not.
    const QString& problemText() const { return problemText_; }
    // The patch in device pixels of the back buffer, and the buffer the window is copied from.
    QRect patchRect() const;
    const QImage& backBuffer() const { return backBuffer_; }
    // Set once the files are saved.
    const MeasurementFiles& savedFiles() const { return saved_; }

signals:
    // The user chose to calibrate, or to check the display, with the saved files; a calibration
    // aims at the luminances just measured.
    void calibrateRequested(const MeasurementFiles& files, const GsdfTarget& measured);
    void checkRequested(const MeasurementFiles& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void restart();
    void takeReading();
    void goBack();
    void askToEnd();
    void finish();
    bool saveFiles(const QString& path);
    void showStep();
    void offerNextSteps();
    void paintBackBuffer();
    QSize deviceSize() const;

    UserInteraction& user_;
    ToneTable tableInEffect_;
    MeasurementRun run_;
    MeasurementFiles saved_;
    QImage backBuffer_;
    QString stepText_;
    QString problemText_;
    QLineEdit* field_;
    QLabel* fieldLabel_;
    QComboBox* levelCountList_;
    QCheckBox* ambientCheck_;
    QLabel* savedLabel_;
    QPushButton* calibrateButton_;
    QPushButton* checkButton_;
    QPushButton* closeButton_;
};

}  // namespace grayden
