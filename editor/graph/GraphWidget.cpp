#include "editor/graph/GraphWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>

#include "render/ResourceFiles.h"

namespace grayden {

namespace {

constexpr int HandCursorId = 144;

// The pixel the pointer is in; with a fractional pixel ratio positions may fall between pixels.
QPoint pixelAt(const QMouseEvent& event) {
    return QPoint(static_cast<int>(std::floor(event.position().x())),
                  static_cast<int>(std::floor(event.position().y())));
}

}  // namespace

GraphWidget::GraphWidget(CurveModel& model, QWidget* parent)
    : QWidget(parent), model_(model), handCursor_(loadCursor(HandCursorId)), confinement_(makePointerConfinement()) {
    // Every paint covers the whole control from the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hovering changes the cursor, so moves arrive without a button held.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

GraphWidget::~GraphWidget() { confinement_->release(); }

EdgeRect GraphWidget::graphRect() const { return EdgeRect::fromQRect(geometry()); }

GraphView GraphWidget::view() const {
    const EdgeRect local{0, 0, width(), height()};
    return GraphView{local, plotRectOf(local), &model_.points(), model_.livePointCount()};
}

void GraphWidget::setPointerConfinement(std::unique_ptr<PointerConfinement> confinement) {
    confinement_->release();
    confinement_ = std::move(confinement);
}

void GraphWidget::ensureBackBuffer() {
    const qreal ratio = devicePixelRatio();
    const QSize pixels(qCeil(width() * ratio), qCeil(height() * ratio));
    if (backBuffer_.size() == pixels && backBuffer_.devicePixelRatio() == ratio) return;
    backBuffer_ = QImage(pixels, QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(ratio);
}

void GraphWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureBackBuffer();
}

void GraphWidget::paintEvent(QPaintEvent*) {
    // The window may have moved to a screen of another pixel ratio since the last resize.
    ensureBackBuffer();
    if (backBuffer_.isNull()) return;
    const GraphView v = view();
    graph_.paint(backBuffer_, {&model_.currentTable(), &model_.points(), model_.livePointCount(),
                               model_.showOutputCurve(), model_.panelGamma(), v.graphRect, v.plotRect});
    QPainter(this).drawImage(QPoint(0, 0), backBuffer_);
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    emit pressed();
    const QPoint pos = pixelAt(*event);
    if (!drag_.press(view(), pos.x(), pos.y())) return;
    model_.grabPoint(drag_.dragIndex());
    confinement_->confine(*window(), QRect(mapTo(window(), QPoint(0, 0)), size()));
    emit pointGrabbed(drag_.dragIndex());
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    // A release another window took (a message box that came up during the drag) ends the drag
    // here, so the point does not follow a pointer whose button is up.
    if (!(event->buttons() & Qt::LeftButton) && drag_.release()) finishDrag();
    const QPoint pos = pixelAt(*event);
    const GraphView v = view();
    const CursorChange change = drag_.hover(v, pos.x(), pos.y(), cursor() == handCursor_);
    if (change == CursorChange::Hand) setCursor(handCursor_);
    if (change == CursorChange::Arrow) setCursor(Qt::ArrowCursor);
    if (drag_.isDragging()) model_.dragPoint(drag_.dragIndex(), drag_.dragValue(v, pos.y()));
}

void GraphWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && drag_.release()) finishDrag();
}

void GraphWidget::finishDrag() {
    // Let go before the monitor hears of the drag, whose failure may bring up a message.
    confinement_->release();
    model_.releasePoint();
}

}  // namespace grayden
