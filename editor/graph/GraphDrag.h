#pragma once

#include "engine/ControlPoint.h"
#include "render/GraphGeometry.h"

namespace grayden {

// What the mouse handling over the graph reads of the window: the areas, in client pixels, and
// the live control points.
struct GraphView {
    EdgeRect graphRect;
    EdgeRect plotRect;
    const ControlPointArray* points = nullptr;
    int pointCount = 0;
};

// The cursor a pointer event over the graph asks for.
enum class CursorChange { None, Hand, Arrow };

// The pointer's distance from a control point, in whole pixels (truncated), at the point's place
// in the grid mapping.
int pointerDistance(const EdgeRect& plot, const ControlPoint& point, int x, int y);

// The output value at a pointer height: the grid mapping inverted, truncating, held to 0..8160.
int valueAtHeight(const EdgeRect& plot, int y);

// Grabbing a control point and dragging it up and down in the graph, and the hover state that
// decides the hand cursor. It knows no widget and no model: the window hands it pointer positions
// in client pixels and carries out what it answers.
class GraphDrag {
public:
    // A press grabs a point whose truncated distance is below this; hovering shows the hand below
    // the second.
    static constexpr int GrabDistance = 30;
    static constexpr int HoverDistance = 15;

    // Left button down: grabs the nearest point within reach, the lower index on a tie. Nothing
    // outside the graph area or with every level a point. True when a point was grabbed.
    bool press(const GraphView& view, int x, int y);
    // The hover rule for a pointer move; handShowing says whether the hand cursor shows now.
    CursorChange hover(const GraphView& view, int x, int y, bool handShowing);
    // The value the dragged point takes at a pointer height; call only while dragging.
    int dragValue(const GraphView& view, int y) const { return valueAtHeight(view.plotRect, y); }
    // Left button up: ends the drag; true when one was in progress.
    bool release();

    bool isDragging() const { return dragIndex_ != -1; }
    int dragIndex() const { return dragIndex_; }
    int hoverIndex() const { return hoverIndex_; }

private:
    static bool editable(const GraphView& view, int x, int y);

    int dragIndex_ = -1;
    int hoverIndex_ = -1;
};

}  // namespace grayden
