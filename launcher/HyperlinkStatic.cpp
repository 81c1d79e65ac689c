#include "launcher/HyperlinkStatic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "launcher/DocumentOpener.h"

namespace grayden {

HyperlinkStatic::HyperlinkStatic(QWidget* parent)
    : QLabel(parent),
      textColour_(QApplication::palette().color(QPalette::WindowText)),
      backgroundBrush_(QApplication::palette().color(QPalette::Button)),
      font_(QApplication::font()) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    // Like a plain label, the control lets the mouse through to its owner until it is a link.
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void HyperlinkStatic::setBackgroundColour(const QColor& colour) {
    backgroundBrush_ = QBrush(colour);
    repaint();
}

void HyperlinkStatic::setTextColour(const QColor& colour) {
    textColour_ = colour;
    repaint();
}

void HyperlinkStatic::setUnderline(bool underline) {
    font_.setUnderline(underline);
    repaint();
}

void HyperlinkStatic::setLinkState(LinkState state) {
    linkEnabled_ = state == LinkState::Enabled;
    setAttribute(Qt::WA_TransparentForMouseEvents, !linkEnabled_);
}

void HyperlinkStatic::setLinkCursor(const QCursor& cursor) {
    linkCursor_ = cursor;
    setCursor(cursor);
}

void HyperlinkStatic::setTarget(const QString& target, DocumentOpener* opener) {
    target_ = target;
    opener_ = opener;
}

void HyperlinkStatic::pointerOver() {
    if (linkEnabled_ && textColour_ != hoverColour_) setTextColour(hoverColour_);
}

void HyperlinkStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundBrush_);
    painter.setFont(font_);
    painter.setPen(textColour_);
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void HyperlinkStatic::enterEvent(QEnterEvent* event) {
    pointerOver();
    QLabel::enterEvent(event);
}

void HyperlinkStatic::mouseMoveEvent(QMouseEvent* event) {
    pointerOver();
    // Taken here, so the owner, which turns the link back, does not see the move as its own.
    event->accept();
}

void HyperlinkStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !target_.isEmpty() && opener_) {
        opener_->openAddress(target_);
        return;
    }
    QLabel::mousePressEvent(event);
}

void HyperlinkStatic::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange) {
        backgroundBrush_ = QBrush(QApplication::palette().color(QPalette::Button));
        repaint();
    }
}

}  // namespace grayden
