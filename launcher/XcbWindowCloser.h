#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <vector>

#include "launcher/WindowCloser.h"

namespace grayden {

// Top-level windows of an X server: the window manager's client list, or the root's children
// where no window manager runs. Titles come from _NET_WM_NAME, else WM_NAME.
class XcbWindowCloser : public WindowCloser {
public:
    // The connection stays the caller's.
    XcbWindowCloser(xcb_connection_t* connection, xcb_window_t root);
    bool closeWindowTitled(const QString& title) override;

    // The first top-level window titled exactly `title`, or XCB_WINDOW_NONE.
    xcb_window_t findWindowTitled(const QString& title);

    static constexpr std::chrono::milliseconds CloseWait{5000};

private:
    xcb_atom_t atom(const char* name);
    std::vector<xcb_window_t> topLevelWindows();
    QString titleOf(xcb_window_t window);
    bool isGone(xcb_window_t window);

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

}  // namespace grayden
