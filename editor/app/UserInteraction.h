#pragma once

#include <QString>

#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace grayden {

// The places where the editor asks the user something or tells the user something: message
// boxes and file choosers. The desktop implementation shows real dialogs; tests answer instead.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A message box with string-table entry N, the exclamation icon and an OK button.
    virtual void showMessage(QWidget* owner, int stringId) = 0;
    // The same box with a text already formatted from a string-table entry.
    virtual void showMessageText(QWidget* owner, const QString& text) = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool confirm(QWidget* owner, const QString& question) = 0;
    // Runs a settings dialog modally; its result (accepted or rejected).
    virtual int runDialog(QDialog& dialog) = 0;
    // The tone file to open; empty when the user cancels.
    virtual QString chooseOpenPath(QWidget* owner) = 0;
    // The tone file to save to, starting from a file name; empty when the user cancels.
    virtual QString chooseSavePath(QWidget* owner, const QString& initialPath) = 0;
    // The PDF file to save a report to, starting from a file name; empty when the user cancels.
    virtual QString choosePdfSavePath(QWidget* owner, const QString& initialPath) = 0;
};

// The message box of string-table entry N. An owner that is not on screen yet (the start-up
// refusals come before the main window shows) is not used, so the box is centred on the screen
// rather than over the hidden window's corner.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, int stringId);
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& text);

// False on Qt's offscreen and minimal platforms, where a box would wait for a user who cannot
// see it; messages then go to standard error instead.
bool hasVisibleScreen();

// Message boxes carry the program's file name, without folder or extension, as their caption.
QString programCaption();

// The two filters of the tone-file choosers, in order: CSV files, then all files.
QStringList toneFileFilters();
// The filters of the report chooser: PDF files, then all files.
QStringList pdfFileFilters();

}  // namespace grayden
