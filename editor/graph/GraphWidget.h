#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>

#include <memory>

#include "editor/graph/GraphDrag.h"
#include "editor/graph/PointerConfinement.h"
#include "engine/CurveModel.h"
#include "render/CurveGraph.h"
#include "render/GraphGeometry.h"

namespace grayden {

// The curve graph as a control of its own. Every paint draws the document's curve completely into
// a back buffer of the control's size and copies it to the screen in one go, so a drag never
// flickers; its own mouse events grab, drag and release control points in the document, with the
// pointer kept inside the graph and the hand cursor over the points.
class GraphWidget : public QWidget {
    Q_OBJECT
public:
    GraphWidget(CurveModel& model, QWidget* parent);
    ~GraphWidget() override;

    // The graph area and the plot inside it, in the window's client pixels.
    EdgeRect graphRect() const;
    EdgeRect plotRect() const { return plotRectOf(graphRect()); }
    const QImage& backBuffer() const { return backBuffer_; }
    const GraphDrag& drag() const { return drag_; }
    const QCursor& handCursor() const { return handCursor_; }
    void setPointerConfinement(std::unique_ptr<PointerConfinement> confinement);

signals:
    // A left press in the graph, before it may grab a point: a value still being typed comes first.
    void pressed();
    // A point was grabbed; the readout shows it.
    void pointGrabbed(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The areas in the control's own pixels, where the drag works.
    GraphView view() const;
    // The back buffer holds the whole control in device pixels of the window's screen.
    void ensureBackBuffer();
    void finishDrag();

    CurveModel& model_;
    CurveGraph graph_;
    QImage backBuffer_;
    GraphDrag drag_;
    QCursor handCursor_;
    std::unique_ptr<PointerConfinement> confinement_;
};

}  // namespace grayden
