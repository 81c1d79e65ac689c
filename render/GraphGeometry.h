#pragma once

#include <QRect>

#include <algorithm>

#include "engine/ToneTable.h"

namespace grayden {

// A rectangle with exclusive right and bottom edges, so the graph arithmetic reads as stated.
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    QRect toQRect() const { return QRect(left, top, width(), height()); }
    bool operator==(const EdgeRect&) const = default;
    static EdgeRect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
};

// The plotting area: the graph area less the label margins.
inline EdgeRect plotRectOf(const EdgeRect& graph) {
    return {graph.left + 45, graph.top + 20, graph.right - 20, graph.bottom - 45};
}

// Four mappings from (level, value) to pixels. They differ on purpose; each is used where named.

// Grid lines, scale labels, and hit testing and dragging of control points.
inline int gridX(const EdgeRect& p, int level) { return p.left + p.width() * level / 255; }
inline int gridY(const EdgeRect& p, int value) { return p.bottom - p.height() * value / FullScale; }

// Curve lines and curve dots, in unsigned arithmetic and held inside the plot.
inline int curveX(const EdgeRect& p, int level) {
    const unsigned w = static_cast<unsigned>(p.width());
    return p.left + static_cast<int>(std::min(w, w * static_cast<unsigned>(level) / 256u));
}
inline int curveY(const EdgeRect& p, int value) {
    const unsigned h = static_cast<unsigned>(p.height());
    return p.bottom - static_cast<int>(std::min(h, h * static_cast<unsigned>(value) / 8161u + 1u));
}

// Control-point markers.
inline int markerX(const EdgeRect& p, int level) { return p.left + p.width() * level / 256; }
inline int markerY(const EdgeRect& p, int value) { return p.bottom - p.height() * value / 8161; }

}  // namespace grayden
