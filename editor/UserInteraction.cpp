#include "editor/UserInteraction.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "editor/UiText.h"

namespace grayden {

namespace {

constexpr int CsvFilterId = 32787;
constexpr int CsvPatternId = 32788;
constexpr int AllFilterId = 32789;
constexpr int AllPatternId = 32790;

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
    return {filterEntry(CsvFilterId, CsvPatternId), filterEntry(AllFilterId, AllPatternId)};
}

void DesktopInteraction::showMessage(QWidget* owner, int stringId) {
    QMessageBox box(QMessageBox::Warning, programCaption(), uiText(stringId), QMessageBox::Ok, owner);
    box.exec();
}

QString DesktopInteraction::chooseOpenPath(QWidget* owner) {
    return runChooser(owner, QFileDialog::AcceptOpen, QString());
}

QString DesktopInteraction::chooseSavePath(QWidget* owner, const QString& initialPath) {
    return runChooser(owner, QFileDialog::AcceptSave, initialPath);
}

}  // namespace grayden
