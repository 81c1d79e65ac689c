#include <QGuiApplication>

#include "launcher/WindowCloser.h"
#include "launcher/XcbWindowCloser.h"

namespace grayden {

namespace {

class NoWindowCloser : public WindowCloser {
public:
    bool closeWindowTitled(const QString&) override { return false; }
};

}  // namespace

std::unique_ptr<WindowCloser> makeDesktopWindowCloser() {
    if (QGuiApplication::platformName() == "xcb") {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            if (xcb_connection_t* connection = x11->connection()) {
                const xcb_setup_t* setup = xcb_get_setup(connection);
                const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
                if (screen) return std::make_unique<XcbWindowCloser>(connection, screen->root);
            }
        }
    }
    return std::make_unique<NoWindowCloser>();
}

}  // namespace grayden
