#include "launcher/HoverImageButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace grayden {

HoverImageButton::HoverImageButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    pollTimer_.setInterval(PollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &HoverImageButton::pollPointer);
}

void HoverImageButton::setImages(const QPixmap& hover, const QPixmap& normal, const QPixmap& disabled,
                                 HoverState initial) {
    hoverImage_ = hover;
    normalImage_ = normal;
    disabledImage_ = disabled;
    hovering_ = initial == HoverState::Hovering;
    showImage(hovering_ ? hoverImage_ : normalImage_);
}

void HoverImageButton::setLinkCursor(const QCursor& cursor) {
    linkCursor_ = cursor;
    setCursor(cursor);
}

void HoverImageButton::enableButton(bool enabled) {
    if (enabled) {
        showImage(normalImage_);
    } else {
        // A poll still running would put the normal image back over the disabled one.
        pollTimer_.stop();
        hovering_ = false;
        if (!disabledImage_.isNull()) showImage(disabledImage_);
    }
    setEnabled(enabled);
}

void HoverImageButton::showImage(const QPixmap& image) {
    shown_ = &image;
    update();
}

void HoverImageButton::pointerOver() {
    // Qt still tells a disabled widget that the pointer entered it.
    if (!isEnabled()) return;
    pollTimer_.start();
    if (!hovering_) {
        showImage(hoverImage_);
        hovering_ = true;
    }
}

void HoverImageButton::pollPointer() {
    if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
    showImage(normalImage_);
    hovering_ = false;
    pollTimer_.stop();
}

void HoverImageButton::paintEvent(QPaintEvent*) {
    // The picture keeps its own size, drawn from the top-left corner.
    QPainter painter(this);
    painter.drawPixmap(0, 0, *shown_);
}

void HoverImageButton::enterEvent(QEnterEvent* event) {
    pointerOver();
    QWidget::enterEvent(event);
}

void HoverImageButton::mouseMoveEvent(QMouseEvent* event) {
    pointerOver();
    QWidget::mouseMoveEvent(event);
}

void HoverImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace grayden
