#include "editor/pointlist/InplaceEdit.h"

#include <QKeyEvent>

#include "editor/pointlist/PointListCtrl.h"

namespace grayden {

InplaceEdit::InplaceEdit(PointListCtrl& list, QWidget* parent) : QLineEdit(parent), list_(list) {
    setObjectName(QString::number(ControlId));
    setFrame(true);
}

bool InplaceEdit::event(QEvent* event) {
    // The box wants every key, so Tab does not move the focus out of it.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InplaceEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: list_.editorKeyDown(event->key()); return;
    default: QLineEdit::keyPressEvent(event);
    }
}

void InplaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // An opening menu leaves the keyboard focus where it is; only a real focus change commits.
    if (event->reason() != Qt::PopupFocusReason) list_.editorLostFocus();
}

}  // namespace grayden
