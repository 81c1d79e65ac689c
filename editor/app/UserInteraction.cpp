#include "editor/app/UserInteraction.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

QString filterEntry(int labelId, int patternId) {
    const QString label = uiText(labelId);
    const QString pattern = uiText(patternId);
    // The labels already name their pattern in parentheses, which is how the chooser reads it.
    return label.endsWith("(" + pattern + ")") ? label : label + " (" + pattern + ")";
}

// Both choosers: the two filters with the first selected, ".csv" added to a bare name.
QString runChooser(QWidget* owner, QFileDialog::AcceptMode mode, const QString& initialPath) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(toneFileFilters());
    dialog.selectNameFilter(toneFileFilters().first());
    dialog.setDefaultSuffix("csv");
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

QString programCaption() { return QFileInfo(QCoreApplication::applicationFilePath()).baseName(); }

QStringList toneFileFilters() {
    return {filterEntry(CsvFilterLabel, CsvFilterPattern), filterEntry(AllFilesFilterLabel, AllFilesFilterPattern)};
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, int stringId) {
    return makeMessageBox(owner, uiText(stringId));
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& text) {
    QWidget* shownOwner = owner && owner->isVisible() ? owner : nullptr;
    return std::make_unique<QMessageBox>(QMessageBox::Warning, programCaption(), text, QMessageBox::Ok, shownOwner);
}

bool hasVisibleScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

void DesktopInteraction::showMessage(QWidget* owner, int stringId) { showMessageText(owner, uiText(stringId)); }

void DesktopInteraction::showMessageText(QWidget* owner, const QString& text) {
    if (!hasVisibleScreen()) {
        std::fprintf(stderr, "%s: %s\n", programCaption().toUtf8().constData(), text.toUtf8().constData());
        return;
    }
    makeMessageBox(owner, text)->exec();
}

int DesktopInteraction::runDialog(QDialog& dialog) { return dialog.exec(); }

QString DesktopInteraction::chooseOpenPath(QWidget* owner) {
    return runChooser(owner, QFileDialog::AcceptOpen, QString());
}

QString DesktopInteraction::chooseSavePath(QWidget* owner, const QString& initialPath) {
    return runChooser(owner, QFileDialog::AcceptSave, initialPath);
}

}  // namespace grayden
