#include "launcher/XcbWindowCloser.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace grayden {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

constexpr std::chrono::milliseconds PollInterval{50};
constexpr uint32_t MaxPropertyWords = 1u << 20;

}  // namespace

XcbWindowCloser::XcbWindowCloser(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {}

xcb_atom_t XcbWindowCloser::atom(const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::vector<xcb_window_t> XcbWindowCloser::topLevelWindows() {
    std::vector<xcb_window_t> windows;
    const xcb_get_property_cookie_t listCookie =
        xcb_get_property(connection_, 0, root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, MaxPropertyWords);
    Reply<xcb_get_property_reply_t> list(xcb_get_property_reply(connection_, listCookie, nullptr));
    if (list && list->type == XCB_ATOM_WINDOW && list->format == 32) {
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
        windows.assign(ids, ids + xcb_get_property_value_length(list.get()) / 4);
        return windows;
    }
    // No window manager keeps a client list: the root's children are the top-level windows.
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
    return windows;
}

QString XcbWindowCloser::titleOf(xcb_window_t window) {
    const xcb_get_property_cookie_t netCookie =
        xcb_get_property(connection_, 0, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, MaxPropertyWords);
    Reply<xcb_get_property_reply_t> netName(xcb_get_property_reply(connection_, netCookie, nullptr));
    if (netName && netName->format == 8 && netName->type != XCB_ATOM_NONE) {
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(netName.get())),
                                 xcb_get_property_value_length(netName.get()));
    }
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, MaxPropertyWords);
    Reply<xcb_get_property_reply_t> name(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!name || name->format != 8 || name->type == XCB_ATOM_NONE) return {};
    // WM_NAME of type STRING is Latin-1.
    return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(name.get())),
                               xcb_get_property_value_length(name.get()));
}

xcb_window_t XcbWindowCloser::findWindowTitled(const QString& title) {
    for (xcb_window_t window : topLevelWindows()) {
        if (titleOf(window) == title) return window;
    }
    return XCB_WINDOW_NONE;
}

bool XcbWindowCloser::isGone(xcb_window_t window) {
    const xcb_get_window_attributes_cookie_t cookie = xcb_get_window_attributes(connection_, window);
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(connection_, cookie, &error));
    std::free(error);
    // A closed window is destroyed, or at least withdrawn from the screen.
    return !attributes || attributes->map_state == XCB_MAP_STATE_UNMAPPED;
}

bool XcbWindowCloser::closeWindowTitled(const QString& title) {
    const xcb_window_t window = findWindowTitled(title);
    if (window == XCB_WINDOW_NONE) return false;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);

    // The other program handles the request in its own time; it may also ask its user something.
    const auto deadline = std::chrono::steady_clock::now() + CloseWait;
    while (!isGone(window) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(PollInterval);
    return true;
}

}  // namespace grayden
