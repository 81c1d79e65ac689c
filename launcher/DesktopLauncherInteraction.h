#pragma once

#include "launcher/LauncherInteraction.h"

namespace grayden {

// Message boxes with the program's name as caption; standard error where no screen is visible.
class DesktopLauncherInteraction : public LauncherInteraction {
public:
    bool askYesNo(QWidget* owner, int stringId) override;
    void showMessage(QWidget* owner, MessageIcon icon, int stringId, const QString& detail) override;
};

}  // namespace grayden
