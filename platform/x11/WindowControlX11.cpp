#include "platform/x11/WindowControlX11.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "platform/x11/EwmhWindows.h"

namespace vorbix {

namespace {

constexpr int kActivateTimeoutMs = 2000;
constexpr int kWindowModeTimeoutMs = 10000;

int countTrue(const std::vector<bool>& values) {
    return static_cast<int>(std::count(values.begin(), values.end(), true));
}

}  // namespace

using A = EwmhWindows;

struct X11WindowControl::Impl {
    explicit Impl(std::string path) : file(std::move(path)) {}

    EwmhWindows x;
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

    bool isOwn(const ClientWindow& info) const {
        return info.pid == static_cast<int64_t>(getpid()) ||
               std::find(own.begin(), own.end(), info.id) != own.end();
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
        if (!x.isWithdrawn(id)) return false;
        const ClientWindow info = x.describe({id}).front();
        return entry.pid != 0 ? info.pid == entry.pid : info.title == entry.title;
    }
};

X11WindowControl::X11WindowControl(std::string hiddenListPath, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(std::move(hiddenListPath))) {
    if (!d->x.ok()) return;
    d->notifier = new QSocketNotifier(xcb_get_file_descriptor(d->x.connection()),
                                      QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, &X11WindowControl::processEvents);

    // Windows an earlier run left hidden: keep those that still exist, so they can be shown
    // now (restoreAfterCrash), by a show action, or at the latest when this object goes away.
    const std::vector<HiddenWindow> listed = d->file.load();
    if (listed.empty()) return;
    const std::vector<xcb_window_t> clients = d->x.windowList(A::NetClientList);
    for (const auto& entry : listed) {
        if (!d->stillHidden(entry, clients)) continue;
        d->hidden.push_back(entry);
        d->fromEarlierRun.push_back(entry.id);
    }
    if (d->hidden.size() != listed.size()) d->save(d->hidden);
}

X11WindowControl::~X11WindowControl() {
    showAllHidden();
}

bool X11WindowControl::isConnected() const {
    return d->x.ok();
}

void X11WindowControl::setOwnWindows(std::vector<WindowId> windows) {
    d->own = std::move(windows);
}

void X11WindowControl::minimizeAll() {
    EwmhWindows& x = d->x;
    if (!x.ok()) return;
    for (const ClientWindow& info : x.describe(x.windowList(A::NetClientList))) {
        if (!info.exists || !info.viewable || x.isDesktopPart(info)) continue;
        if (info.hasState(x.atom(A::StateHidden))) continue;
        const bool normal = info.types.empty() || info.hasType(x.atom(A::TypeNormal)) ||
                            info.hasType(x.atom(A::TypeDialog));
        if (normal) x.iconify(info.id);
    }
    x.flush();
}

std::vector<WindowId> X11WindowControl::stackingOrder() {
    const std::vector<xcb_window_t> stacking = d->x.windowList(A::NetClientListStacking);
    return {stacking.begin(), stacking.end()};
}

void X11WindowControl::closeWindowsBelow(WindowId window, const std::vector<WindowId>& order) {
    if (!d->x.ok()) return;
    const auto top = std::find(order.begin(), order.end(), window);
    std::vector<xcb_window_t> below;
    for (auto it = order.begin(); it != top; ++it)
        if (*it <= UINT32_MAX) below.push_back(static_cast<xcb_window_t>(*it));
    // A window closed meanwhile no longer exists and is skipped.
    for (const ClientWindow& info : d->x.describe(below)) {
        if (!info.exists || d->x.isDesktopPart(info) || d->isOwn(info)) continue;
        d->x.requestClose(info.id);
    }
    d->x.flush();
}

bool X11WindowControl::closeActiveWindow() {
    EwmhWindows& x = d->x;
    if (!x.ok() || !x.windowManagerCloses()) return false;
    // No active window (the focus on the desktop) closes nothing; the desktop and the panels
    // are never closed.
    const std::vector<xcb_window_t> active = x.windowList(A::NetActiveWindow);
    if (active.empty() || active[0] == XCB_NONE) return true;
    const ClientWindow info = x.describe({active[0]}).front();
    if (!info.exists || x.isDesktopPart(info)) return true;
    x.requestClose(info.id);
    x.flush();
    return true;
}

int X11WindowControl::hideWindows(const std::vector<std::string>& keywords) {
    EwmhWindows& x = d->x;
    if (!x.ok()) return 0;
    std::vector<HiddenWindow> toHide;
    for (const ClientWindow& info : x.describe(x.windowList(A::NetClientList))) {
        if (!info.exists || info.overrideRedirect || x.isDesktopPart(info) || d->isOwn(info)) {
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
    for (const auto& w : toHide) x.withdraw(static_cast<xcb_window_t>(w.id));
    x.sync();
    d->hidden = std::move(list);
    return static_cast<int>(toHide.size());
}

int X11WindowControl::showWindows(const std::vector<std::string>& keywords) {
    if (!d->x.ok() || d->hidden.empty()) return 0;
    std::vector<xcb_window_t> ids;
    for (const auto& w : d->hidden) ids.push_back(static_cast<xcb_window_t>(w.id));
    const std::vector<ClientWindow> infos = d->x.describe(ids);
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
    const int shown = countTrue(d->x.mapAll(toShow));
    d->hidden = std::move(remaining);
    d->save(d->hidden);
    return shown;
}

void X11WindowControl::forceForeground(WindowId window) {
    if (!d->x.ok() || window == 0 || window > UINT32_MAX) return;
    const auto id = static_cast<xcb_window_t>(window);
    const std::vector<xcb_window_t> clients = d->x.windowList(A::NetClientList);
    if (std::find(clients.begin(), clients.end(), id) != clients.end()) {
        d->x.activate(id);
        d->x.flush();
        return;
    }
    const uint64_t serial = d->nextSerial++;
    d->watches.push_back({serial, 0, id, WindowMode::Normal, true});
    d->x.selectRootEvents(true);
    QTimer::singleShot(kActivateTimeoutMs, this, [this, serial] { dropWatch(serial); });
    checkWatches();
    scheduleEventProcessing();
}

void X11WindowControl::applyWindowModeWhenMapped(int64_t processId, WindowMode mode) {
    applyWindowModeWhenMapped(processId, mode, kWindowModeTimeoutMs);
}

void X11WindowControl::applyWindowModeWhenMapped(int64_t processId, WindowMode mode,
                                                 int timeoutMs) {
    if (!d->x.ok() || processId <= 0 || mode == WindowMode::Normal) return;
    const uint64_t serial = d->nextSerial++;
    // Events first, then the look at the present clients, so no window slips between them.
    d->watches.push_back({serial, processId, XCB_NONE, mode, false});
    d->x.selectRootEvents(true);
    QTimer::singleShot(timeoutMs, this, [this, serial] { dropWatch(serial); });
    checkWatches();
    scheduleEventProcessing();
}

int X11WindowControl::showAllHidden() {
    if (d->hidden.empty() || !d->x.ok()) return 0;
    std::vector<xcb_window_t> ids;
    for (const auto& w : d->hidden) ids.push_back(static_cast<xcb_window_t>(w.id));
    const int shown = countTrue(d->x.mapAll(ids));
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
    if (!d->x.ok() || d->fromEarlierRun.empty()) return 0;
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
    const int shown = countTrue(d->x.mapAll(toShow));
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
    if (!d->x.ok()) {
        if (d->notifier) d->notifier->setEnabled(false);
        return;
    }
    bool clientsChanged = false;
    do {
        clientsChanged = false;
        while (xcb_generic_event_t* ev = xcb_poll_for_event(d->x.connection())) {
            if ((ev->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                const auto* pn = reinterpret_cast<xcb_property_notify_event_t*>(ev);
                if (pn->window == d->x.root() && pn->atom == d->x.atom(A::NetClientList)) {
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
    EwmhWindows& x = d->x;
    if (d->watches.empty() || !x.ok()) return;
    const std::vector<xcb_window_t> clients = x.windowList(A::NetClientList);
    std::vector<ClientWindow> infos;
    const bool needPids = std::any_of(d->watches.begin(), d->watches.end(),
                                      [](const Impl::Watch& w) { return w.pid != 0; });
    if (needPids) infos = x.describe(clients);
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
            x.activate(found);
        } else if (watch.mode == WindowMode::Maximized) {
            x.maximize(found);
        } else if (watch.mode == WindowMode::Minimized) {
            x.iconify(found);
        }
    }
    x.flush();
    d->watches = std::move(waiting);
    if (d->watches.empty()) x.selectRootEvents(false);
}

void X11WindowControl::dropWatch(uint64_t serial) {
    std::erase_if(d->watches, [serial](const Impl::Watch& w) { return w.serial == serial; });
    if (d->watches.empty()) d->x.selectRootEvents(false);
}

}  // namespace vorbix
