#pragma once

#include <QRect>

#include <memory>

class QWidget;

namespace grayden {

// Keeps the pointer inside an area of a window while a control point is dragged.
class PointerConfinement {
public:
    virtual ~PointerConfinement() = default;
    // Confines the pointer to an area in the window's client coordinates (right and bottom edges
    // exclusive); false when the platform cannot, and the pointer then moves freely.
    virtual bool confine(QWidget& window, const QRect& area) = 0;
    // Lets the pointer go again; harmless when nothing is confined.
    virtual void release() = 0;
};

// For platforms that cannot confine the pointer (Wayland, offscreen): the dragged value still
// stops at the ends of its range, however far the pointer goes.
class NoPointerConfinement final : public PointerConfinement {
public:
    bool confine(QWidget&, const QRect&) override { return false; }
    void release() override {}
};

// The confinement of the platform the program runs on: an X11 pointer grab on an X server,
// none elsewhere.
std::unique_ptr<PointerConfinement> makePointerConfinement();

}  // namespace grayden
