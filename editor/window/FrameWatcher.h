#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>

#include <functional>
#include <optional>

class QWidget;

namespace grayden {

// The frame a window manager has put around a shown top-level window, as it announces it; none
// while it has not told it yet. On X11 the window's frame-extents property is read each time:
// the toolkit keeps the first figure it saw until the window is next configured, and that may be
// from before the frame existed. Other platforms give the toolkit's own figure.
std::optional<QMargins> announcedFrame(const QWidget& window);

// Calls back, from the event loop, whenever the window manager announces a new frame for the
// window (a maximised window often loses its borders a moment after it got its new size). Only
// X11 announces frames; elsewhere it never calls.
class FrameWatcher : public QAbstractNativeEventFilter {
public:
    FrameWatcher(const QWidget& window, std::function<void()> changed);
    ~FrameWatcher() override;
    FrameWatcher(const FrameWatcher&) = delete;
    FrameWatcher& operator=(const FrameWatcher&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> changed_;
    bool installed_ = false;
};

}  // namespace grayden
