// Dragging control points in the graph, and the cursor over it. The drag state and the pixel
// arithmetic are GraphDrag's; this file turns the window's mouse events into its calls and
// carries out what it answers on the model, the views, the cursor and the monitor.
#include <QMouseEvent>

#include <cmath>

#include "editor/pointlist/PointListCtrl.h"
#include "editor/window/EditorDialog.h"
#include "render/UiText.h"

namespace grayden {

namespace {

// The pixel the pointer is in; with a fractional pixel ratio positions may fall between pixels.
QPoint pixelAt(const QMouseEvent& event) {
    return QPoint(static_cast<int>(std::floor(event.position().x())),
                  static_cast<int>(std::floor(event.position().y())));
}

}  // namespace

void EditorDialog::setPointerConfinement(std::unique_ptr<PointerConfinement> confinement) {
    confinement_->release();
    confinement_ = std::move(confinement);
}

GraphView EditorDialog::graphView() const {
    return GraphView{graphRect_, plotRect_, &model_.points(), model_.livePointCount()};
}

void EditorDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) graphPress(pixelAt(*event));
    QDialog::mousePressEvent(event);
}

void EditorDialog::mouseMoveEvent(QMouseEvent* event) {
    // A release another window took (a message box that came up during the drag) ends the drag
    // here, so the point does not follow a pointer whose button is up.
    if (!(event->buttons() & Qt::LeftButton) && graphDrag_.release()) finishDrag();
    graphMove(pixelAt(*event));
    QDialog::mouseMoveEvent(event);
}

void EditorDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && graphDrag_.release()) finishDrag();
    QDialog::mouseReleaseEvent(event);
}

void EditorDialog::graphPress(QPoint pos) {
    // A value still being typed in the list is taken before the graph changes the curve.
    if (graphRect_.contains(pos.x(), pos.y()) && pointList_->isEditing()) pointList_->commit();
    if (!graphDrag_.press(graphView(), pos.x(), pos.y())) return;
    model_.grabPoint(graphDrag_.dragIndex());
    confinement_->confine(*this, graphRect_.toQRect());
    showReadout(graphDrag_.dragIndex());
}

void EditorDialog::graphMove(QPoint pos) {
    const GraphView view = graphView();
    changeCursor(graphDrag_.hover(view, pos.x(), pos.y(), cursor() == handCursor_));
    if (graphDrag_.isDragging()) model_.dragPoint(graphDrag_.dragIndex(), graphDrag_.dragValue(view, pos.y()));
}

void EditorDialog::finishDrag() {
    // Released before the monitor hears of the drag, whose failure may bring up a message.
    confinement_->release();
    model_.releasePoint();
}

void EditorDialog::showReadout(int pointIndex) {
    if (pointIndex < 0 || pointIndex >= model_.livePointCount()) return;
    const ControlPoint& point = model_.points()[pointIndex];
    readoutText_ = readoutTextFor(point.level, point.value);
    transferTexts();
}

void EditorDialog::changeCursor(CursorChange change) {
    if (change == CursorChange::Hand) setCursor(handCursor_);
    if (change == CursorChange::Arrow) setCursor(Qt::ArrowCursor);
}

// The hand belongs to the graph: every child control shows its own cursor, the arrow where it
// has none, instead of inheriting the window's.
void EditorDialog::keepChildCursorsOwn() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetCursor)) child->setCursor(Qt::ArrowCursor);
    }
}

}  // namespace grayden
