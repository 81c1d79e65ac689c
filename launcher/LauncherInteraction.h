#pragma once

#include <QString>

class QWidget;

namespace grayden {

// The icon a message is shown with: stop for what failed, exclamation for what the user must do.
enum class MessageIcon { Stop, Exclamation };

// The launcher's questions and messages to the user. The desktop implementation shows message
// boxes with the program's name as caption; tests answer instead.
class LauncherInteraction {
public:
    virtual ~LauncherInteraction() = default;
    // String-table entry N with the exclamation icon and Yes and No buttons; true for Yes.
    virtual bool askYesNo(QWidget* owner, int stringId) = 0;
    // String-table entry N, with `detail` (empty or whole lines) below it, and an OK button.
    virtual void showMessage(QWidget* owner, MessageIcon icon, int stringId, const QString& detail) = 0;
};

}  // namespace grayden
