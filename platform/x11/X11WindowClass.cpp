#include "platform/x11/X11WindowClass.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace vorbix::x11 {

namespace {

// How far up from the focus window a WM_CLASS is looked for.
constexpr int kMaxLevels = 8;

// The two NUL-terminated strings of a WM_CLASS property; false when the window has none.
bool readClass(xcb_connection_t* c, xcb_window_t window, FocusedWindow& out) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr);
    if (!reply) return false;
    const int length = xcb_get_property_value_length(reply);
    const bool found = reply->format == 8 && length > 0;
    if (found) {
        const auto* value = static_cast<const char*>(xcb_get_property_value(reply));
        const size_t first = strnlen(value, static_cast<size_t>(length));
        out.instance.assign(value, first);
        if (first + 1 < static_cast<size_t>(length))
            out.windowClass.assign(value + first + 1,
                                   strnlen(value + first + 1, length - first - 1));
    }
    std::free(reply);
    return found;
}

}  // namespace

FocusedWindow focusedWindow(xcb_connection_t* c) {
    FocusedWindow focused;
    if (!c) return focused;
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    // None (0) and PointerRoot (1) name no window.
    if (focus && focus->focus > 1) focused.window = focus->focus;
    std::free(focus);
    xcb_window_t window = focused.window;
    for (int level = 0; window != XCB_NONE && level < kMaxLevels; ++level) {
        if (readClass(c, window, focused)) break;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        const xcb_window_t parent = tree && tree->parent != tree->root ? tree->parent : XCB_NONE;
        std::free(tree);
        window = parent;
    }
    return focused;
}

}  // namespace vorbix::x11
