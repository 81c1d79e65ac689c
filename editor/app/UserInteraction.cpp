#include "editor/app/UserInteraction.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

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

}  // namespace

QString programCaption() { return QFileInfo(QCoreApplication::applicationFilePath()).baseName(); }

QStringList toneFileFilters() {
    return {filterEntry(CsvFilterLabel, CsvFilterPattern), filterEntry(AllFilesFilterLabel, AllFilesFilterPattern)};
}

QStringList pdfFileFilters() {
    return {filterEntry(PdfFilterLabel, PdfFilterPattern), filterEntry(AllFilesFilterLabel, AllFilesFilterPattern)};
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

}  // namespace grayden
