#include "platform/x11/EwmhWindows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

constexpr const char* kAtomNames[EwmhWindows::AtomCount] = {
    "_NET_CLIENT_LIST",
    "_NET_CLIENT_LIST_STACKING",
    "_NET_WM_NAME",
    "UTF8_STRING",
    "_NET_WM_PID",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_WINDOW_TYPE_DESKTOP",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_NET_WM_STATE",
    "_NET_WM_STATE_HIDDEN",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_CLOSE_WINDOW",
    "_NET_ACTIVE_WINDOW",
    "WM_CHANGE_STATE",
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_SUPPORTED",
};

// Source indication "pager" of EWMH client messages: the request comes from a tool acting for
// the user, which window managers honour without focus-stealing checks.
constexpr uint32_t kSourcePager = 2;
constexpr uint32_t kIconicState = 3;
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kRootMessageMask =
    XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
constexpr uint32_t kMaxListLength = 1 << 16;

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

std::vector<uint32_t> values32(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32) return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    return std::vector<uint32_t>(data, data + std::max(count, 0));
}

std::string bytes(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 8) return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
    return std::string(data,
                       static_cast<size_t>(std::max(xcb_get_property_value_length(reply), 0)));
}

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    for (char c : text) appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

}  // namespace

bool ClientWindow::hasType(xcb_atom_t a) const {
    return std::find(types.begin(), types.end(), a) != types.end();
}

bool ClientWindow::hasState(xcb_atom_t a) const {
    return std::find(states.begin(), states.end(), a) != states.end();
}

EwmhWindows::EwmhWindows() {
    int screenNumber = 0;
    c_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c_)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) return;
    root_ = it.data->root;
    xcb_intern_atom_cookie_t cookies[AtomCount];
    for (int i = 0; i < AtomCount; ++i) {
        cookies[i] = xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])),
                                     kAtomNames[i]);
    }
    for (int i = 0; i < AtomCount; ++i) {
        Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c_, cookies[i], nullptr));
        atoms_[i] = r ? r->atom : XCB_NONE;
    }
}

EwmhWindows::~EwmhWindows() {
    if (c_) xcb_disconnect(c_);
}

bool EwmhWindows::ok() const {
    return c_ && root_ != XCB_NONE && !xcb_connection_has_error(c_);
}

std::vector<uint32_t> EwmhWindows::property32(xcb_window_t window, Atom which, xcb_atom_t type) {
    if (!ok()) return {};
    Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, window, atoms_[which], type, 0, kMaxListLength), nullptr));
    return values32(r.get());
}

std::vector<xcb_window_t> EwmhWindows::windowList(Atom which) {
    return property32(root_, which, XCB_ATOM_WINDOW);
}

// An EWMH window manager runs when the root names a check window that names itself, and it
// takes close requests when it lists _NET_CLOSE_WINDOW among what it supports.
bool EwmhWindows::windowManagerCloses() {
    const std::vector<uint32_t> check = windowList(NetSupportingWmCheck);
    if (check.empty() || check[0] == XCB_NONE) return false;
    const std::vector<uint32_t> self = property32(check[0], NetSupportingWmCheck, XCB_ATOM_WINDOW);
    if (self.empty() || self[0] != check[0]) return false;
    const std::vector<uint32_t> supported = property32(root_, NetSupported, XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atoms_[NetCloseWindow]) != supported.end();
}

std::vector<ClientWindow> EwmhWindows::describe(const std::vector<xcb_window_t>& windows) {
    struct Cookies {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t pid, types, states, netName, name;
    };
    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    for (xcb_window_t w : windows) {
        cookies.push_back({
            xcb_get_window_attributes(c_, w),
            xcb_get_property(c_, 0, w, atoms_[NetWmPid], XCB_ATOM_CARDINAL, 0, 1),
            xcb_get_property(c_, 0, w, atoms_[NetWmWindowType], XCB_ATOM_ATOM, 0, 64),
            xcb_get_property(c_, 0, w, atoms_[NetWmState], XCB_ATOM_ATOM, 0, 64),
            xcb_get_property(c_, 0, w, atoms_[NetWmName], atoms_[Utf8String], 0, 1024),
            xcb_get_property(c_, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        });
    }
    std::vector<ClientWindow> infos(windows.size());
    for (size_t i = 0; i < windows.size(); ++i) {
        ClientWindow& info = infos[i];
        info.id = windows[i];
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c_, cookies[i].attributes, nullptr));
        auto reply = [&](xcb_get_property_cookie_t cookie) {
            return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(c_, cookie, nullptr));
        };
        auto pid = reply(cookies[i].pid);
        auto types = reply(cookies[i].types);
        auto states = reply(cookies[i].states);
        auto netName = reply(cookies[i].netName);
        auto name = reply(cookies[i].name);
        if (!attributes) continue;
        info.exists = true;
        info.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        info.overrideRedirect = attributes->override_redirect;
        auto pidValue = values32(pid.get());
        if (!pidValue.empty()) info.pid = pidValue[0];
        for (uint32_t a : values32(types.get())) info.types.push_back(a);
        for (uint32_t a : values32(states.get())) info.states.push_back(a);
        info.title = bytes(netName.get());
        if (info.title.empty() && name) {
            info.title =
                name->type == XCB_ATOM_STRING ? latin1ToUtf8(bytes(name.get())) : bytes(name.get());
        }
    }
    return infos;
}

bool EwmhWindows::isWithdrawn(xcb_window_t window) {
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
    return attributes && !attributes->override_redirect &&
           attributes->map_state == XCB_MAP_STATE_UNMAPPED;
}

bool EwmhWindows::isDesktopPart(const ClientWindow& window) const {
    return window.hasType(atoms_[TypeDock]) || window.hasType(atoms_[TypeDesktop]);
}

void EwmhWindows::sendToRoot(xcb_window_t window, Atom type, std::initializer_list<uint32_t> data) {
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = atoms_[type];
    size_t i = 0;
    for (uint32_t v : data) ev.data.data32[i++] = v;
    xcb_send_event(c_, 0, root_, kRootMessageMask, reinterpret_cast<const char*>(&ev));
}

void EwmhWindows::iconify(xcb_window_t window) {
    sendToRoot(window, WmChangeState, {kIconicState});
}

void EwmhWindows::maximize(xcb_window_t window) {
    sendToRoot(window, NetWmState,
               {kStateAdd, atoms_[StateMaxVert], atoms_[StateMaxHorz], kSourcePager});
}

void EwmhWindows::requestClose(xcb_window_t window) {
    sendToRoot(window, NetCloseWindow, {XCB_CURRENT_TIME, kSourcePager});
}

void EwmhWindows::activate(xcb_window_t window) {
    sendToRoot(window, NetActiveWindow, {kSourcePager, XCB_CURRENT_TIME, 0});
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
}

// Unmaps the window and tells the window manager with a synthetic UnmapNotify, which also
// withdraws a window that is minimised (not mapped).
void EwmhWindows::withdraw(xcb_window_t window) {
    xcb_unmap_window(c_, window);
    char buffer[32] = {};
    xcb_unmap_notify_event_t ev{};
    ev.response_type = XCB_UNMAP_NOTIFY;
    ev.event = root_;
    ev.window = window;
    std::memcpy(buffer, &ev, sizeof ev);
    xcb_send_event(c_, 0, root_, kRootMessageMask, buffer);
}

// The requests go out together and are checked afterwards, so the cost is one round trip, not
// one per window.
std::vector<bool> EwmhWindows::mapAll(const std::vector<xcb_window_t>& windows) {
    std::vector<xcb_void_cookie_t> cookies;
    cookies.reserve(windows.size());
    for (xcb_window_t w : windows) cookies.push_back(xcb_map_window_checked(c_, w));
    std::vector<bool> mapped;
    mapped.reserve(windows.size());
    for (auto cookie : cookies) {
        Reply<xcb_generic_error_t> error(xcb_request_check(c_, cookie));
        mapped.push_back(!error);
    }
    return mapped;
}

void EwmhWindows::selectRootEvents(bool on) {
    if (on == rootEventsSelected_ || !ok()) return;
    const uint32_t mask = on ? XCB_EVENT_MASK_PROPERTY_CHANGE : 0;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c_);
    rootEventsSelected_ = on;
}

void EwmhWindows::flush() {
    xcb_flush(c_);
}

void EwmhWindows::sync() {
    std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
}

}  // namespace vorbix
