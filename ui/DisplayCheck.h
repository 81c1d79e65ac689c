#pragma once

namespace grayden {

// Whether the environment names a display (DISPLAY, WAYLAND_DISPLAY) or a Qt platform
// (QT_QPA_PLATFORM). Without one Qt has no platform to open and aborts, so the window programs
// ask first and say why in one line instead.
bool displayConfigured();

}  // namespace grayden
