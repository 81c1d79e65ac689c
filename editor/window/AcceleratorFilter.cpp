#include "editor/window/AcceleratorFilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

namespace grayden {

AcceleratorFilter::AcceleratorFilter(std::vector<Accelerator> table, std::function<bool(int)> deliver, QObject* parent)
    : QObject(parent), table_(std::move(table)), deliver_(std::move(deliver)) {}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !deliver_) return QObject::eventFilter(watched, event);
    const int command = matchAccelerator(table_, *static_cast<QKeyEvent*>(event));
    if (command == 0) return false;
    // An open menu runs its own keyboard loop, which takes no accelerators.
    if (QApplication::activePopupWidget()) return false;
    const QWidget* window = QApplication::activeModalWidget();
    if (qobject_cast<const QMessageBox*>(window) || qobject_cast<const QFileDialog*>(window)) return false;
    return deliver_(command);
}

}  // namespace grayden
