#pragma once

#include <QSize>
#include <QWidget>

#include <functional>

class QPainter;

namespace grayden {

// A chart of a report drawn at its own size and scaled to fit the widget, keeping its shape, on
// white; empty until it is given a drawing.
class ReportChart : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(QPainter&)>;

    explicit ReportChart(QWidget* parent);

    void setDrawing(Drawing drawing, QSize size);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
    QSize size_;
};

}  // namespace grayden
