#pragma once

#include <QString>

class QWidget;

namespace grayden {

// The places where the editor asks the user something or tells the user something: message
// boxes and file choosers. The desktop implementation shows real dialogs; tests answer instead.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // A message box with string-table entry N, the exclamation icon and an OK button.
    virtual void showMessage(QWidget* owner, int stringId) = 0;
    // The tone file to open; empty when the user cancels.
    virtual QString chooseOpenPath(QWidget* owner) = 0;
    // The tone file to save to, starting from a file name; empty when the user cancels.
    virtual QString chooseSavePath(QWidget* owner, const QString& initialPath) = 0;
};

class DesktopInteraction : public UserInteraction {
public:
    void showMessage(QWidget* owner, int stringId) override;
    QString chooseOpenPath(QWidget* owner) override;
    QString chooseSavePath(QWidget* owner, const QString& initialPath) override;
};

// Message boxes carry the program's file name, without folder or extension, as their caption.
QString programCaption();

// The two filters of the tone-file choosers, in order: CSV files, then all files.
QStringList toneFileFilters();

}  // namespace grayden
