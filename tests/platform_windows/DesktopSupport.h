// What the desktop tests share: a view of the window manager's client list through an X
// connection of the test's own, test target processes, and waiting with a running event loop.
#pragma once

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/WindowControlX11.h"

namespace vorbix::test {

// Runs the event loop until the condition holds or the time is up.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

// Lets the event loop run for a while (for checks that something does NOT happen).
inline void settle(int ms) {
    waitFor([] { return false; }, ms);
}

class XView {
public:
    XView() {
        c_ = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(c_))
            root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    }
    ~XView() { xcb_disconnect(c_); }
    bool ok() const { return root_ != 0; }

    xcb_atom_t atom(const char* name) {
        auto it = atoms_.find(name);
        if (it != atoms_.end()) return it->second;
        auto* r = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : 0;
        std::free(r);
        atoms_[name] = a;
        return a;
    }

    std::vector<uint32_t> property32(uint32_t window, const char* name, xcb_atom_t type) {
        auto* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, atom(name), type, 0, 4096), nullptr);
        std::vector<uint32_t> out;
        if (r && r->format == 32) {
            auto* v = static_cast<uint32_t*>(xcb_get_property_value(r));
            out.assign(v, v + xcb_get_property_value_length(r) / 4);
        }
        std::free(r);
        return out;
    }

    std::vector<uint32_t> clients() {
        return property32(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    }
    std::vector<uint32_t> stacking() {
        return property32(root_, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    }
    bool isClient(uint32_t window) {
        auto list = clients();
        return std::find(list.begin(), list.end(), window) != list.end();
    }
    bool hasState(uint32_t window, const char* state) {
        auto states = property32(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
        return std::find(states.begin(), states.end(), atom(state)) != states.end();
    }
    bool isMapped(uint32_t window) { return mapState(window) != XCB_MAP_STATE_UNMAPPED; }
    // Mapped with every parent (the window manager's frame included): on the screen.
    bool isViewable(uint32_t window) { return mapState(window) == XCB_MAP_STATE_VIEWABLE; }
    uint8_t mapState(uint32_t window) {
        auto* r =
            xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr);
        const uint8_t state = r ? r->map_state : uint8_t{XCB_MAP_STATE_UNMAPPED};
        std::free(r);
        return state;
    }
    uint32_t activeWindow() {
        auto v = property32(root_, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
        return v.empty() ? 0 : v[0];
    }
    std::string title(uint32_t window) {
        auto* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024),
            nullptr);
        std::string out;
        if (r)
            out.assign(static_cast<char*>(xcb_get_property_value(r)),
                       static_cast<size_t>(xcb_get_property_value_length(r)));
        std::free(r);
        return out;
    }
    // The client window with exactly this title, 0 when none is managed.
    uint32_t clientTitled(const std::string& wanted) {
        for (uint32_t w : clients()) {
            if (title(w) == wanted) return w;
        }
        return 0;
    }

private:
    xcb_connection_t* c_ = nullptr;
    uint32_t root_ = 0;
    std::map<std::string, xcb_atom_t> atoms_;
};

// One running test target window, stopped by its process id when the object goes away.
class Target {
public:
    Target(XView& view, const QString& title, QStringList extra = {}) : view_(view), title_(title) {
        QStringList args{"--title", title};
        args += extra;
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VORBIX_TEST_TARGET), args);
        process_.waitForStarted();
    }
    ~Target() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    int64_t pid() const { return process_.processId(); }
    bool running() { return process_.state() != QProcess::NotRunning; }
    // Waits until the window manager manages the window and shows it (the window and its frame
    // mapped: a manager lists a window before it has framed and shown it, and a window not yet
    // on the screen is no window a person could act on); its id, 0 when it never came.
    uint32_t waitForWindow(int timeoutMs = 5000) { return waitForClient(true, timeoutMs); }
    // The same without waiting for the map (for a window that starts minimised).
    uint32_t waitForClient(bool shown = false, int timeoutMs = 5000) {
        const bool came = waitFor(
            [&] {
                window_ = view_.clientTitled(title_.toStdString());
                return window_ != 0 && (!shown || view_.isViewable(window_));
            },
            timeoutMs);
        if (!came) window_ = 0;
        return window_;
    }
    uint32_t window() const { return window_; }
    bool waitForExit(int timeoutMs = 5000) {
        return waitFor([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
    }

private:
    XView& view_;
    QString title_;
    QProcess process_;
    uint32_t window_ = 0;
};

inline std::string readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

inline QString tempPath(const char* name) {
    const char* dir = std::getenv("VORBIX_TEST_TMP");
    return QString::fromLocal8Bit(dir ? dir : "/tmp") + "/" + name;
}

// A target window with the focus in its rich-text field.
struct FocusedTarget {
    FocusedTarget(XView& view, X11WindowControl& windows, const char* title, QStringList extra = {})
        : report(tempPath(title)), target(view, title, QStringList{"--report", report} + extra) {
        id = target.waitForWindow();
        if (id == 0) return;
        windows.forceForeground(id);
        ready = waitFor([&] { return view.activeWindow() == id && holds("focus edit\n"); });
    }
    bool holds(const std::string& part) const {
        return readFile(report).find(part) != std::string::npos;
    }
    QString report;
    Target target;
    uint32_t id = 0;
    bool ready = false;
};

}  // namespace vorbix::test
