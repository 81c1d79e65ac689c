#include "editor/app/X11Connection.h"

#include <QGuiApplication>

namespace grayden {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    return x11->connection();
}

}  // namespace grayden
