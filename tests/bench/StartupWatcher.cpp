// Starts a program and prints the milliseconds from its exec to the first window mapped on the
// X screen, then ends it. Meant for a server without a window manager, where the program's own
// map request is the first MapNotify on the root window. Usage: startup_watcher PROGRAM [ARGS...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int TimeoutMs = 20000;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The root window's SubstructureNotify is selected and confirmed before the program starts, so
// no map can be missed.
bool watchRoot(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return false;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask));
    const bool watching = error == nullptr;
    std::free(error);
    return watching;
}

// Waits for the first MapNotify; false when the program ends first or nothing is mapped in time.
bool waitForMap(xcb_connection_t* connection, pid_t child) {
    const double deadline = nowMs() + TimeoutMs;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (nowMs() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) return true;
        }
        if (xcb_connection_has_error(connection)) return false;
        if (waitpid(child, nullptr, WNOHANG) == child) return false;
        poll(&fd, 1, 50);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) || !watchRoot(connection)) {
        std::fprintf(stderr, "%s: cannot watch the X display's root window\n", argv[0]);
        return 1;
    }
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(xcb_get_file_descriptor(connection));
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    const bool mapped = waitForMap(connection, child);
    const double elapsed = nowMs() - start;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fprintf(stderr, "%s: %s mapped no window\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("%.3f\n", elapsed);
    return 0;
}
