#include "editor/report/ReportChart.h"

#include <QPainter>

#include <algorithm>

namespace grayden {

ReportChart::ReportChart(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(240, 200);
}

void ReportChart::setDrawing(Drawing drawing, QSize size) {
    drawing_ = std::move(drawing);
    size_ = size;
    update();
}

QSize ReportChart::sizeHint() const { return size_.isEmpty() ? minimumSize() : size_ / 2; }

void ReportChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!drawing_ || size_.isEmpty()) return;
    const double scale = std::min(width() / double(size_.width()), height() / double(size_.height()));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate((width() - size_.width() * scale) / 2, (height() - size_.height() * scale) / 2);
    p.scale(scale, scale);
    drawing_(p);
}

}  // namespace grayden
