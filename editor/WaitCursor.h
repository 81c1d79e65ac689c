#pragma once

#include <QApplication>
#include <QCursor>

namespace grayden {

// Shows the wait cursor for as long as it lives; nested ones restore in order.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace grayden
