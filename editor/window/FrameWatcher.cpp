#include "editor/window/FrameWatcher.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "editor/app/X11Connection.h"

namespace grayden {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t frameExtentsAtom(xcb_connection_t* connection) {
    static const char Name[] = "_NET_FRAME_EXTENTS";
    // The program has one X connection, so the atom is looked up once.
    static const xcb_atom_t atom = [connection] {
        ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof Name - 1, Name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }();
    return atom;
}

// The extents are left, right, top, bottom, in device pixels.
std::optional<QMargins> x11FrameExtents(xcb_connection_t* connection, xcb_window_t window, qreal ratio) {
    const xcb_atom_t extents = frameExtentsAtom(connection);
    if (extents == XCB_ATOM_NONE) return std::nullopt;
    ReplyPtr<xcb_get_property_reply_t> property(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!property || property->format != 32 || xcb_get_property_value_length(property.get()) != 16) return std::nullopt;
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
    const auto logical = [ratio](std::uint32_t pixels) { return static_cast<int>(std::lround(pixels / ratio)); };
    return QMargins(logical(v[0]), logical(v[2]), logical(v[1]), logical(v[3]));
}

}  // namespace

std::optional<QMargins> announcedFrame(const QWidget& window) {
    if (!window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    if (xcb_connection_t* connection = x11Connection()) {
        return x11FrameExtents(connection, static_cast<xcb_window_t>(window.winId()), window.devicePixelRatio());
    }
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    if (frame.isNull()) return std::nullopt;
    return frame;
}

FrameWatcher::FrameWatcher(const QWidget& window, std::function<void()> changed)
    : window_(window), changed_(std::move(changed)) {
    if (!x11Connection()) return;
    qGuiApp->installNativeEventFilter(this);
    installed_ = true;
}

FrameWatcher::~FrameWatcher() {
    if (installed_ && qGuiApp) qGuiApp->removeNativeEventFilter(this);
}

bool FrameWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !window_.testAttribute(Qt::WA_WState_Created)) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (notify->window != static_cast<xcb_window_t>(window_.winId()) ||
        notify->atom != frameExtentsAtom(x11Connection())) {
        return false;
    }
    // The toolkit has not handled the event yet; the window hears of the new frame afterwards.
    QMetaObject::invokeMethod(const_cast<QWidget*>(&window_), changed_, Qt::QueuedConnection);
    return false;
}

}  // namespace grayden
