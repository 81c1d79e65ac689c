#include "editor/app/DesktopInteraction.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>
#include <memory>

#include "render/UiText.h"

namespace grayden {

namespace {

// Every chooser: its filters with the first selected, the first filter's suffix added to a bare
// name (tone files unless told otherwise).
QString runChooser(QWidget* owner, QFileDialog::AcceptMode mode, const QString& initialPath,
                   const QStringList& filters = toneFileFilters(), const QString& suffix = "csv") {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.setDefaultSuffix(suffix);
    if (!initialPath.isEmpty()) dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

void DesktopInteraction::showMessage(QWidget* owner, int stringId) { showMessageText(owner, uiText(stringId)); }

void DesktopInteraction::showMessageText(QWidget* owner, const QString& text) {
    if (!hasVisibleScreen()) {
        std::fprintf(stderr, "%s: %s\n", programCaption().toUtf8().constData(), text.toUtf8().constData());
        return;
    }
    makeMessageBox(owner, text)->exec();
}

// Without a screen nobody can say yes, so nothing is given up.
bool DesktopInteraction::confirm(QWidget* owner, const QString& question) {
    if (!hasVisibleScreen()) {
        std::fprintf(stderr, "%s: %s\n", programCaption().toUtf8().constData(), question.toUtf8().constData());
        return false;
    }
    const std::unique_ptr<QMessageBox> box = makeMessageBox(owner, question);
    box->setIcon(QMessageBox::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

int DesktopInteraction::runDialog(QDialog& dialog) { return dialog.exec(); }

QString DesktopInteraction::chooseOpenPath(QWidget* owner) {
    return runChooser(owner, QFileDialog::AcceptOpen, QString());
}

QString DesktopInteraction::chooseSavePath(QWidget* owner, const QString& initialPath) {
    return runChooser(owner, QFileDialog::AcceptSave, initialPath);
}

QString DesktopInteraction::choosePdfSavePath(QWidget* owner, const QString& initialPath) {
    return runChooser(owner, QFileDialog::AcceptSave, initialPath, pdfFileFilters(), "pdf");
}

}  // namespace grayden
