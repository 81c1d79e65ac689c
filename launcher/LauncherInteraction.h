#pragma once

class QWidget;

namespace grayden {

// The launcher's questions and messages to the user. The desktop implementation shows message
// boxes with the program's name as caption; tests answer instead.
class LauncherInteraction {
public:
    virtual ~LauncherInteraction() = default;
    // String-table entry N with the exclamation icon and Yes and No buttons; true for Yes.
    virtual bool askYesNo(QWidget* owner, int stringId) = 0;
    // String-table entry N with the stop icon and an OK button.
    virtual void showStopMessage(QWidget* owner, int stringId) = 0;
};

class DesktopLauncherInteraction : public LauncherInteraction {
public:
    bool askYesNo(QWidget* owner, int stringId) override;
    void showStopMessage(QWidget* owner, int stringId) override;
};

}  // namespace grayden
