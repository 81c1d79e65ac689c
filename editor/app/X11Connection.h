#pragma once

#include <xcb/xcb.h>

namespace grayden {

// The program's X connection when it runs on an X server; null on other platforms.
xcb_connection_t* x11Connection();

}  // namespace grayden
