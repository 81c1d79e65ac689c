#include "editor/graph/GraphDrag.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace grayden {

int pointerDistance(const EdgeRect& plot, const ControlPoint& point, int x, int y) {
    const double dx = static_cast<double>(x) - gridX(plot, point.level);
    const double dy = static_cast<double>(y) - gridY(plot, point.value);
    const double distance = std::sqrt(dx * dx + dy * dy);
    // Far pointers saturate instead of overflowing the conversion.
    return distance < 65535.0 ? static_cast<int>(distance) : 65535;
}

int valueAtHeight(const EdgeRect& plot, int y) {
    const std::int64_t h = plot.height();
    // A plot squeezed to nothing has no heights to map.
    if (h <= 0) return 0;
    // In 64 bits, so a pointer far outside the window cannot overflow the product.
    const std::int64_t v = (static_cast<std::int64_t>(plot.bottom) - y) * FullScale / h;
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, FullScale));
}

bool GraphDrag::editable(const GraphView& view, int x, int y) {
    return view.graphRect.contains(x, y) && view.pointCount < LevelCount;
}

bool GraphDrag::press(const GraphView& view, int x, int y) {
    dragIndex_ = -1;
    if (!editable(view, x, y)) return false;
    int best = 65535;
    for (int i = 0; i < view.pointCount; ++i) {
        const int d = pointerDistance(view.plotRect, (*view.points)[i], x, y);
        // Strictly nearer only, so the lower index keeps a tie.
        if (d < best && d < GrabDistance) {
            best = d;
            dragIndex_ = i;
        }
    }
    return dragIndex_ != -1;
}

CursorChange GraphDrag::hover(const GraphView& view, int x, int y, bool handShowing) {
    // Outside the graph area the hover state stays as it was.
    if (!editable(view, x, y)) return CursorChange::None;
    for (int i = 0; i < view.pointCount; ++i) {
        // While dragging the first point already counts, so the hand stays wherever the pointer is.
        if (isDragging() || pointerDistance(view.plotRect, (*view.points)[i], x, y) < HoverDistance) {
            const bool wasHovering = hoverIndex_ != -1;
            hoverIndex_ = i;
            return !wasHovering && !handShowing ? CursorChange::Hand : CursorChange::None;
        }
    }
    if (hoverIndex_ == -1) return CursorChange::None;
    hoverIndex_ = -1;
    return CursorChange::Arrow;
}

bool GraphDrag::release() {
    const bool wasDragging = isDragging();
    dragIndex_ = -1;
    return wasDragging;
}

}  // namespace grayden
