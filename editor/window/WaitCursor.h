#pragma once

#include <QApplication>
#include <QCursor>

#include "device/BusyFeedback.h"

namespace grayden {

// Shows the wait cursor for as long as it lives; nested ones restore in order.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The monitor session's busy signal as the application's wait cursor.
class WaitCursorFeedback final : public BusyFeedback {
public:
    void setBusy(bool on) override {
        if (on)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    }
};

}  // namespace grayden
