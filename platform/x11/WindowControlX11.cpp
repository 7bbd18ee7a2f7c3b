#include "platform/x11/WindowControlX11.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

enum Atom {
    NetClientList,
    NetClientListStacking,
    NetWmName,
    Utf8String,
    NetWmPid,
    NetWmWindowType,
    TypeDock,
    TypeDesktop,
    TypeNormal,
    TypeDialog,
    NetWmState,
    StateHidden,
    StateMaxVert,
    StateMaxHorz,
    NetCloseWindow,
    NetActiveWindow,
    WmChangeState,
    NetSupportingWmCheck,
    NetSupported,
    AtomCount
};

constexpr const char* kAtomNames[AtomCount] = {
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
constexpr int kActivateTimeoutMs = 2000;
constexpr int kWindowModeTimeoutMs = 10000;
constexpr uint32_t kMaxListLength = 1 << 16;

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// What the control looks at in one client window.
struct WindowInfo {
    xcb_window_t id = XCB_NONE;
    bool exists = false;
    bool viewable = false;
    bool overrideRedirect = false;
    int64_t pid = 0;
    std::vector<xcb_atom_t> types;
    std::vector<xcb_atom_t> states;
    std::string title;

    bool hasType(xcb_atom_t a) const {
        return std::find(types.begin(), types.end(), a) != types.end();
    }
    bool hasState(xcb_atom_t a) const {
        return std::find(states.begin(), states.end(), a) != states.end();
    }
};

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

struct X11WindowControl::Impl {
    explicit Impl(std::string path) : file(std::move(path)) {}

    xcb_connection_t* c = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_atom_t atoms[AtomCount]{};
    QSocketNotifier* notifier = nullptr;
    HiddenWindowFile file;
    std::vector<HiddenWindow> hidden;
    std::vector<uint64_t> fromEarlierRun;
    std::vector<WindowId> own;
    std::string lastError;

    struct Watch {
        uint64_t serial = 0;
        int64_t pid = 0;          // match by process id when not 0
        xcb_window_t window = 0;  // else by window id
        WindowMode mode = WindowMode::Normal;
        bool activate = false;
    };
    std::vector<Watch> watches;
    uint64_t nextSerial = 1;
    bool rootEventsSelected = false;

    bool ok() const { return c && !xcb_connection_has_error(c); }

    bool connect() {
        int screenNumber = 0;
        c = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(c)) return false;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
        if (!it.rem) return false;
        root = it.data->root;
        xcb_intern_atom_cookie_t cookies[AtomCount];
        for (int i = 0; i < AtomCount; ++i) {
            cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])),
                                         kAtomNames[i]);
        }
        for (int i = 0; i < AtomCount; ++i) {
            Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, cookies[i], nullptr));
            atoms[i] = r ? r->atom : XCB_NONE;
        }
        return ok();
    }

    std::vector<uint32_t> property32(xcb_window_t window, Atom which, xcb_atom_t type) {
        if (!ok()) return {};
        Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, atoms[which], type, 0, kMaxListLength), nullptr));
        return values32(r.get());
    }

    std::vector<xcb_window_t> windowList(Atom which) {
        return property32(root, which, XCB_ATOM_WINDOW);
    }

    // An EWMH window manager runs when the root names a check window that names itself, and
    // it takes close requests when it lists _NET_CLOSE_WINDOW among what it supports.
    bool windowManagerCloses() {
        const std::vector<uint32_t> check = windowList(NetSupportingWmCheck);
        if (check.empty() || check[0] == XCB_NONE) return false;
        const std::vector<uint32_t> self =
            property32(check[0], NetSupportingWmCheck, XCB_ATOM_WINDOW);
        if (self.empty() || self[0] != check[0]) return false;
        const std::vector<uint32_t> supported = property32(root, NetSupported, XCB_ATOM_ATOM);
        return std::find(supported.begin(), supported.end(), atoms[NetCloseWindow]) !=
               supported.end();
    }

    std::vector<WindowInfo> describe(const std::vector<xcb_window_t>& windows) {
        struct Cookies {
            xcb_get_window_attributes_cookie_t attributes;
            xcb_get_property_cookie_t pid, types, states, netName, name;
        };
        std::vector<Cookies> cookies;
        cookies.reserve(windows.size());
        for (xcb_window_t w : windows) {
            cookies.push_back({
                xcb_get_window_attributes(c, w),
                xcb_get_property(c, 0, w, atoms[NetWmPid], XCB_ATOM_CARDINAL, 0, 1),
                xcb_get_property(c, 0, w, atoms[NetWmWindowType], XCB_ATOM_ATOM, 0, 64),
                xcb_get_property(c, 0, w, atoms[NetWmState], XCB_ATOM_ATOM, 0, 64),
                xcb_get_property(c, 0, w, atoms[NetWmName], atoms[Utf8String], 0, 1024),
                xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            });
        }
        std::vector<WindowInfo> infos(windows.size());
        for (size_t i = 0; i < windows.size(); ++i) {
            WindowInfo& info = infos[i];
            info.id = windows[i];
            Reply<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(c, cookies[i].attributes, nullptr));
            auto reply = [&](xcb_get_property_cookie_t cookie) {
                return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(c, cookie, nullptr));
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
                info.title = name->type == XCB_ATOM_STRING ? latin1ToUtf8(bytes(name.get()))
                                                           : bytes(name.get());
            }
        }
        return infos;
    }

    bool isOwn(const WindowInfo& info) const {
        return info.pid == static_cast<int64_t>(getpid()) ||
               std::find(own.begin(), own.end(), info.id) != own.end();
    }

    // Docks (the tray host, panels) and the desktop belong to the desktop, not to the user's
    // work: they are never minimised, closed or hidden.
    bool isDesktopPart(const WindowInfo& info) const {
        return info.hasType(atoms[TypeDock]) || info.hasType(atoms[TypeDesktop]);
    }

    void sendToRoot(xcb_window_t window, Atom type, std::initializer_list<uint32_t> data) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = window;
        ev.type = atoms[type];
        size_t i = 0;
        for (uint32_t v : data) ev.data.data32[i++] = v;
        xcb_send_event(c, 0, root, kRootMessageMask, reinterpret_cast<const char*>(&ev));
    }

    void iconify(xcb_window_t window) { sendToRoot(window, WmChangeState, {kIconicState}); }

    void activate(xcb_window_t window) {
        sendToRoot(window, NetActiveWindow, {kSourcePager, XCB_CURRENT_TIME, 0});
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    }

    // Withdraws the window as its own client would: unmap it, and tell the window manager with
    // a synthetic UnmapNotify, which also withdraws a window that is minimised (not mapped).
    void withdraw(xcb_window_t window) {
        xcb_unmap_window(c, window);
        char buffer[32] = {};
        xcb_unmap_notify_event_t ev{};
        ev.response_type = XCB_UNMAP_NOTIFY;
        ev.event = root;
        ev.window = window;
        std::memcpy(buffer, &ev, sizeof ev);
        xcb_send_event(c, 0, root, kRootMessageMask, buffer);
    }

    // Waits until the server has carried out every request sent so far.
    void sync() { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    // Maps the windows; for each, whether it still existed. The requests go out together and
    // are checked afterwards, so the cost is one round trip, not one per window.
    std::vector<bool> mapAll(const std::vector<xcb_window_t>& windows) {
        std::vector<xcb_void_cookie_t> cookies;
        cookies.reserve(windows.size());
        for (xcb_window_t w : windows) cookies.push_back(xcb_map_window_checked(c, w));
        std::vector<bool> mapped;
        mapped.reserve(windows.size());
        for (auto cookie : cookies) {
            Reply<xcb_generic_error_t> error(xcb_request_check(c, cookie));
            mapped.push_back(!error);
        }
        return mapped;
    }

    static int countTrue(const std::vector<bool>& values) {
        return static_cast<int>(std::count(values.begin(), values.end(), true));
    }

    bool save(const std::vector<HiddenWindow>& list) {
        FileResult result = file.save(list);
        if (!result) {
            lastError = result.error;
            return false;
        }
        lastError.clear();
        return true;
    }

    // The earlier run's entry still stands for the window it hid: the window exists, is
    // withdrawn (not mapped, not managed) and still belongs to the same program.
    bool stillHidden(const HiddenWindow& entry, const std::vector<xcb_window_t>& clients) {
        if (entry.id > UINT32_MAX) return false;
        const auto id = static_cast<xcb_window_t>(entry.id);
        if (std::find(clients.begin(), clients.end(), id) != clients.end()) return false;
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
        if (!attributes || attributes->override_redirect ||
            attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
            return false;
        }
        const WindowInfo info = describe({id}).front();
        return entry.pid != 0 ? info.pid == entry.pid : info.title == entry.title;
    }

    void selectRootEvents(bool on) {
        if (on == rootEventsSelected || !ok()) return;
        const uint32_t mask = on ? XCB_EVENT_MASK_PROPERTY_CHANGE : 0;
        xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        rootEventsSelected = on;
    }
};

X11WindowControl::X11WindowControl(std::string hiddenListPath, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(std::move(hiddenListPath))) {
    if (!d->connect()) return;
    d->notifier = new QSocketNotifier(xcb_get_file_descriptor(d->c), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, &X11WindowControl::processEvents);

    // Windows an earlier run left hidden: keep those that still exist, so they can be shown
    // now (restoreAfterCrash), by a show action, or at the latest when this object goes away.
    const std::vector<HiddenWindow> listed = d->file.load();
    if (listed.empty()) return;
    const std::vector<xcb_window_t> clients = d->windowList(NetClientList);
    for (const auto& entry : listed) {
        if (!d->stillHidden(entry, clients)) continue;
        d->hidden.push_back(entry);
        d->fromEarlierRun.push_back(entry.id);
    }
    if (d->hidden.size() != listed.size()) d->save(d->hidden);
}

X11WindowControl::~X11WindowControl() {
    showAllHidden();
    if (d->c) xcb_disconnect(d->c);
}

bool X11WindowControl::isConnected() const {
    return d->ok();
}

void X11WindowControl::setOwnWindows(std::vector<WindowId> windows) {
    d->own = std::move(windows);
}

void X11WindowControl::minimizeAll() {
    if (!d->ok()) return;
    for (const WindowInfo& info : d->describe(d->windowList(NetClientList))) {
        if (!info.exists || !info.viewable || d->isDesktopPart(info)) continue;
        if (info.hasState(d->atoms[StateHidden])) continue;
        const bool normal = info.types.empty() || info.hasType(d->atoms[TypeNormal]) ||
                            info.hasType(d->atoms[TypeDialog]);
        if (normal) d->iconify(info.id);
    }
    xcb_flush(d->c);
}

std::vector<WindowId> X11WindowControl::stackingOrder() {
    const std::vector<xcb_window_t> stacking = d->windowList(NetClientListStacking);
    return {stacking.begin(), stacking.end()};
}

void X11WindowControl::closeWindowsBelow(WindowId window, const std::vector<WindowId>& order) {
    if (!d->ok()) return;
    const auto top = std::find(order.begin(), order.end(), window);
    std::vector<xcb_window_t> below;
    for (auto it = order.begin(); it != top; ++it)
        if (*it <= UINT32_MAX) below.push_back(static_cast<xcb_window_t>(*it));
    // A window closed meanwhile no longer exists and is skipped.
    for (const WindowInfo& info : d->describe(below)) {
        if (!info.exists || d->isDesktopPart(info) || d->isOwn(info)) continue;
        d->sendToRoot(info.id, NetCloseWindow, {XCB_CURRENT_TIME, kSourcePager});
    }
    xcb_flush(d->c);
}

bool X11WindowControl::closeActiveWindow() {
    if (!d->ok() || !d->windowManagerCloses()) return false;
    // No active window (the focus on the desktop) closes nothing; the desktop and the panels
    // are never closed.
    const std::vector<xcb_window_t> active = d->windowList(NetActiveWindow);
    if (active.empty() || active[0] == XCB_NONE) return true;
    const WindowInfo info = d->describe({active[0]}).front();
    if (!info.exists || d->isDesktopPart(info)) return true;
    d->sendToRoot(info.id, NetCloseWindow, {XCB_CURRENT_TIME, kSourcePager});
    xcb_flush(d->c);
    return true;
}

int X11WindowControl::hideWindows(const std::vector<std::string>& keywords) {
    if (!d->ok()) return 0;
    std::vector<HiddenWindow> toHide;
    for (const WindowInfo& info : d->describe(d->windowList(NetClientList))) {
        if (!info.exists || info.overrideRedirect || d->isDesktopPart(info) || d->isOwn(info)) {
            continue;
        }
        if (titleMatchesAny(info.title, keywords))
            toHide.push_back({info.id, info.pid, info.title});
    }
    if (toHide.empty()) return 0;
    // The file is written first: a window is hidden only once it can be found again.
    std::vector<HiddenWindow> list = d->hidden;
    list.insert(list.end(), toHide.begin(), toHide.end());
    if (!d->save(list)) return 0;
    for (const auto& w : toHide) d->withdraw(static_cast<xcb_window_t>(w.id));
    d->sync();
    d->hidden = std::move(list);
    return static_cast<int>(toHide.size());
}

int X11WindowControl::showWindows(const std::vector<std::string>& keywords) {
    if (!d->ok() || d->hidden.empty()) return 0;
    std::vector<xcb_window_t> ids;
    for (const auto& w : d->hidden) ids.push_back(static_cast<xcb_window_t>(w.id));
    const std::vector<WindowInfo> infos = d->describe(ids);
    std::vector<HiddenWindow> remaining;
    std::vector<xcb_window_t> toShow;
    for (size_t i = 0; i < infos.size(); ++i) {
        const HiddenWindow& entry = d->hidden[i];
        if (!infos[i].exists) continue;  // its program closed it meanwhile
        if (!titleMatchesAny(infos[i].title, keywords) && !titleMatchesAny(entry.title, keywords)) {
            remaining.push_back(entry);
            continue;
        }
        toShow.push_back(ids[i]);
        std::erase(d->fromEarlierRun, entry.id);
    }
    const int shown = Impl::countTrue(d->mapAll(toShow));
    d->hidden = std::move(remaining);
    d->save(d->hidden);
    return shown;
}

void X11WindowControl::forceForeground(WindowId window) {
    if (!d->ok() || window == 0 || window > UINT32_MAX) return;
    const auto id = static_cast<xcb_window_t>(window);
    const std::vector<xcb_window_t> clients = d->windowList(NetClientList);
    if (std::find(clients.begin(), clients.end(), id) != clients.end()) {
        d->activate(id);
        xcb_flush(d->c);
        return;
    }
    const uint64_t serial = d->nextSerial++;
    d->watches.push_back({serial, 0, id, WindowMode::Normal, true});
    d->selectRootEvents(true);
    QTimer::singleShot(kActivateTimeoutMs, this, [this, serial] { dropWatch(serial); });
    checkWatches();
    scheduleEventProcessing();
}

void X11WindowControl::applyWindowModeWhenMapped(int64_t processId, WindowMode mode) {
    applyWindowModeWhenMapped(processId, mode, kWindowModeTimeoutMs);
}

void X11WindowControl::applyWindowModeWhenMapped(int64_t processId, WindowMode mode,
                                                 int timeoutMs) {
    if (!d->ok() || processId <= 0 || mode == WindowMode::Normal) return;
    const uint64_t serial = d->nextSerial++;
    // Events first, then the look at the present clients, so no window slips between them.
    d->watches.push_back({serial, processId, XCB_NONE, mode, false});
    d->selectRootEvents(true);
    QTimer::singleShot(timeoutMs, this, [this, serial] { dropWatch(serial); });
    checkWatches();
    scheduleEventProcessing();
}

int X11WindowControl::showAllHidden() {
    if (d->hidden.empty() || !d->ok()) return 0;
    std::vector<xcb_window_t> ids;
    for (const auto& w : d->hidden) ids.push_back(static_cast<xcb_window_t>(w.id));
    const int shown = Impl::countTrue(d->mapAll(ids));
    d->hidden.clear();
    d->fromEarlierRun.clear();
    d->save(d->hidden);
    return shown;
}

std::vector<HiddenWindow> X11WindowControl::hiddenWindows() const {
    return d->hidden;
}

std::vector<HiddenWindow> X11WindowControl::leftoversFromEarlierRun() const {
    std::vector<HiddenWindow> out;
    for (const auto& w : d->hidden) {
        if (std::find(d->fromEarlierRun.begin(), d->fromEarlierRun.end(), w.id) !=
            d->fromEarlierRun.end()) {
            out.push_back(w);
        }
    }
    return out;
}

int X11WindowControl::restoreAfterCrash() {
    if (!d->ok() || d->fromEarlierRun.empty()) return 0;
    std::vector<HiddenWindow> remaining;
    std::vector<xcb_window_t> toShow;
    for (const auto& w : d->hidden) {
        const bool earlier = std::find(d->fromEarlierRun.begin(), d->fromEarlierRun.end(), w.id) !=
                             d->fromEarlierRun.end();
        if (earlier) {
            toShow.push_back(static_cast<xcb_window_t>(w.id));
        } else {
            remaining.push_back(w);
        }
    }
    const int shown = Impl::countTrue(d->mapAll(toShow));
    d->fromEarlierRun.clear();
    d->hidden = std::move(remaining);
    d->save(d->hidden);
    return shown;
}

std::string X11WindowControl::lastError() const {
    return d->lastError;
}

int X11WindowControl::pendingWatches() const {
    return static_cast<int>(d->watches.size());
}

void X11WindowControl::processEvents() {
    if (!d->ok()) {
        if (d->notifier) d->notifier->setEnabled(false);
        return;
    }
    bool clientsChanged = false;
    do {
        clientsChanged = false;
        while (xcb_generic_event_t* ev = xcb_poll_for_event(d->c)) {
            if ((ev->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                const auto* pn = reinterpret_cast<xcb_property_notify_event_t*>(ev);
                if (pn->window == d->root && pn->atom == d->atoms[NetClientList]) {
                    clientsChanged = true;
                }
            }
            std::free(ev);
        }
        if (clientsChanged) checkWatches();
    } while (clientsChanged);
}

void X11WindowControl::scheduleEventProcessing() {
    QTimer::singleShot(0, this, &X11WindowControl::processEvents);
}

void X11WindowControl::checkWatches() {
    if (d->watches.empty() || !d->ok()) return;
    const std::vector<xcb_window_t> clients = d->windowList(NetClientList);
    std::vector<WindowInfo> infos;
    const bool needPids = std::any_of(d->watches.begin(), d->watches.end(),
                                      [](const Impl::Watch& w) { return w.pid != 0; });
    if (needPids) infos = d->describe(clients);
    std::vector<Impl::Watch> waiting;
    for (const auto& watch : d->watches) {
        xcb_window_t found = XCB_NONE;
        if (watch.pid != 0) {
            for (const auto& info : infos) {
                if (info.exists && info.pid == watch.pid) {
                    found = info.id;
                    break;
                }
            }
        } else if (std::find(clients.begin(), clients.end(), watch.window) != clients.end()) {
            found = watch.window;
        }
        if (found == XCB_NONE) {
            waiting.push_back(watch);
        } else if (watch.activate) {
            d->activate(found);
        } else if (watch.mode == WindowMode::Maximized) {
            d->sendToRoot(
                found, NetWmState,
                {kStateAdd, d->atoms[StateMaxVert], d->atoms[StateMaxHorz], kSourcePager});
        } else if (watch.mode == WindowMode::Minimized) {
            d->iconify(found);
        }
    }
    xcb_flush(d->c);
    d->watches = std::move(waiting);
    if (d->watches.empty()) d->selectRootEvents(false);
}

void X11WindowControl::dropWatch(uint64_t serial) {
    std::erase_if(d->watches, [serial](const Impl::Watch& w) { return w.serial == serial; });
    if (d->watches.empty()) d->selectRootEvents(false);
}

}  // namespace vorbix
