#pragma once

#include <QString>

#include <memory>

namespace grayden {

// Closes another program's top-level window, found by its exact title.
class WindowCloser {
public:
    virtual ~WindowCloser() = default;
    // Asks the window titled exactly `title` to close and waits, within a bound, until it has
    // gone. False when there is no such window.
    virtual bool closeWindowTitled(const QString& title) = 0;
};

// The closer of the running desktop: X11 through Qt's own connection; on other platforms
// (Wayland, offscreen) one that finds no window, since they let no program close another's.
std::unique_ptr<WindowCloser> makeDesktopWindowCloser();

}  // namespace grayden
