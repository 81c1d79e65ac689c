// The pointer confinement on an X server: an input-only child window over the area, and an active
// pointer grab confined to it.
#include <QWidget>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "editor/app/X11Connection.h"
#include "editor/graph/PointerConfinement.h"

namespace grayden {

namespace {

class X11PointerConfinement final : public PointerConfinement {
public:
    explicit X11PointerConfinement(xcb_connection_t* connection) : connection_(connection) {}
    ~X11PointerConfinement() override { release(); }
    X11PointerConfinement(const X11PointerConfinement&) = delete;
    X11PointerConfinement& operator=(const X11PointerConfinement&) = delete;

    bool confine(QWidget& window, const QRect& area) override;
    void release() override;

private:
    xcb_connection_t* connection_;
    xcb_window_t areaWindow_ = XCB_WINDOW_NONE;
};

bool X11PointerConfinement::confine(QWidget& window, const QRect& area) {
    release();
    if (area.isEmpty()) return false;
    // The X window is in device pixels.
    const qreal ratio = window.devicePixelRatio();
    const int left = static_cast<int>(std::lround(area.left() * ratio));
    const int top = static_cast<int>(std::lround(area.top() * ratio));
    const int right = static_cast<int>(std::lround((area.left() + area.width()) * ratio));
    const int bottom = static_cast<int>(std::lround((area.top() + area.height()) * ratio));
    const auto parent = static_cast<xcb_window_t>(window.winId());

    // The grab confines to a window, so one covers the area; being input-only it shows nothing,
    // and selecting no events it passes every pointer event on to the window below.
    areaWindow_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, 0, areaWindow_, parent, static_cast<std::int16_t>(left),
                      static_cast<std::int16_t>(top), static_cast<std::uint16_t>(right - left),
                      static_cast<std::uint16_t>(bottom - top), 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0,
                      nullptr);
    xcb_map_window(connection_, areaWindow_);
    // The button press started a grab of the toolkit's input extension, which a core grab cannot
    // replace; it is ended first. With owner events the toolkit's windows then receive the
    // pointer's events as before, and the new grab lasts until released here.
    xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
    constexpr std::uint16_t Events = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                     XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                                     XCB_EVENT_MASK_LEAVE_WINDOW;
    const xcb_grab_pointer_cookie_t cookie =
        xcb_grab_pointer(connection_, 1, parent, Events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, areaWindow_,
                         XCB_CURSOR_NONE, XCB_CURRENT_TIME);
    xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(connection_, cookie, nullptr);
    const bool grabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (!grabbed) release();
    return grabbed;
}

void X11PointerConfinement::release() {
    if (areaWindow_ == XCB_WINDOW_NONE) return;
    xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
    xcb_destroy_window(connection_, areaWindow_);
    xcb_flush(connection_);
    areaWindow_ = XCB_WINDOW_NONE;
}

}  // namespace

std::unique_ptr<PointerConfinement> makePointerConfinement() {
    if (xcb_connection_t* connection = x11Connection()) return std::make_unique<X11PointerConfinement>(connection);
    return std::make_unique<NoPointerConfinement>();
}

}  // namespace grayden
