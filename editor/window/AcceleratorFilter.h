#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "editor/window/AcceleratorTable.h"

namespace grayden {

// Offers every key press of the program to the accelerator table before any widget sees it.
// A matching row is delivered to the main window as its command, wherever the focus is: in the
// list, in its edit box or in a dialog the window opened. Message boxes and file choosers run
// their own keyboard handling, as the system's dialogs do, and so does an open menu.
class AcceleratorFilter : public QObject {
    Q_OBJECT
public:
    AcceleratorFilter(std::vector<Accelerator> table, std::function<bool(int)> deliver, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<Accelerator> table_;
    std::function<bool(int)> deliver_;  // true when the command was taken
};

}  // namespace grayden
