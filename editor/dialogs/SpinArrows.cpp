#include "editor/dialogs/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QToolButton>

#include <algorithm>

namespace grayden {

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void SpinArrows::attachTo(QLineEdit* buddy) {
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (!buddy_) return;
    const QRect old = buddy_->geometry();
    const int arrowWidth = std::min(width(), old.width());
    setGeometry(old.x() + old.width() - arrowWidth, old.y(), arrowWidth, old.height());
    buddy_->setGeometry(old.x(), old.y(), old.width() - arrowWidth, old.height());
    buddy_->installEventFilter(this);
}

void SpinArrows::setBuddyRange(int minimum, int maximum) { range_ = Range{minimum, std::max(minimum, maximum)}; }

void SpinArrows::step(int direction) {
    if (range_ && buddy_) {
        const QMetaProperty property = buddy_->metaObject()->userProperty();
        const int current = property.read(buddy_).toInt();
        const long long moved = static_cast<long long>(current) + direction;
        const int next = static_cast<int>(std::clamp<long long>(moved, range_->minimum, range_->maximum));
        if (next != current) property.write(buddy_, next);
    }
    emit stepped(direction);
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace grayden
