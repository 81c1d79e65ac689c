#pragma once

#include "editor/app/UserInteraction.h"

namespace grayden {

// The real dialogs: message boxes (standard error where no screen is visible) and file choosers.
class DesktopInteraction : public UserInteraction {
public:
    void showMessage(QWidget* owner, int stringId) override;
    void showMessageText(QWidget* owner, const QString& text) override;
    bool confirm(QWidget* owner, const QString& question) override;
    int runDialog(QDialog& dialog) override;
    QString chooseOpenPath(QWidget* owner) override;
    QString chooseSavePath(QWidget* owner, const QString& initialPath) override;
    QString choosePdfSavePath(QWidget* owner, const QString& initialPath) override;
};

}  // namespace grayden
