// Cost of the window actions with 20 client windows on the screen: hiding them by title (with
// the crash-safe list written to disk), showing them again, and minimising all, each measured
// as the time of the call and as the time until the window manager's client list shows the
// result. Needs an X server with a window manager; run it in the test desktop:
//
//   tests/support/run-in-desktop.sh --no-tray --no-audio -- build/window_actions_bench
//
// It prints the median, the 90th percentile and the maximum in microseconds over 20 rounds.
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/x11/WindowControlX11.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWindows = 20;
constexpr int kRounds = 20;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : 0;
    std::free(r);
    return a;
}

size_t clientCount(xcb_connection_t* c, xcb_window_t root, xcb_atom_t list) {
    auto* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 4096), nullptr);
    const size_t n = r ? static_cast<size_t>(xcb_get_property_value_length(r)) / 4 : 0;
    std::free(r);
    return n;
}

bool waitUntil(const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        QThread::usleep(200);
    }
    return true;
}

void report(const char* what, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    std::printf("%-34s median %8.0f  p90 %8.0f  max %8.0f us\n", what, us[us.size() / 2],
                us[us.size() * 9 / 10], us.back());
}

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "no X display: run through tests/support/run-in-desktop.sh\n");
        return 77;
    }
    QCoreApplication app(argc, argv);
    // The windows belong to a connection of their own and carry another process id, so the
    // control treats them as another program's.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t clientList = atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
    const size_t before = clientCount(c, screen->root, clientList);
    for (int i = 0; i < kWindows; ++i) {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10 * i, 10 * i, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        const std::string title = "Bench window " + std::to_string(i);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(title.size()), title.data());
        const uint32_t pid = 1;
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, netWmPid, XCB_ATOM_CARDINAL, 32, 1, &pid);
        xcb_map_window(c, w);
    }
    xcb_flush(c);
    auto count = [&] { return clientCount(c, screen->root, clientList); };
    if (!waitUntil([&] { return count() == before + kWindows; })) {
        std::fprintf(stderr, "the window manager did not take the windows\n");
        return 1;
    }

    const std::string list = QDir::tempPath().toStdString() + "/vorbix-bench-hidden.txt";
    vorbix::X11WindowControl control(list);
    std::vector<double> hideCall, hideDone, showCall, showDone, minimizeCall;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        if (control.hideWindows({"bench window"}) != kWindows) return 1;
        hideCall.push_back(since(start));
        waitUntil([&] { return count() == before; });
        hideDone.push_back(since(start));

        start = Clock::now();
        if (control.showWindows({"bench window"}) != kWindows) return 1;
        showCall.push_back(since(start));
        waitUntil([&] { return count() == before + kWindows; });
        showDone.push_back(since(start));

        start = Clock::now();
        control.minimizeAll();
        minimizeCall.push_back(since(start));
        QThread::msleep(20);
    }
    report("hide 20 windows (call)", hideCall);
    report("hide 20 windows (client list)", hideDone);
    report("show 20 windows (call)", showCall);
    report("show 20 windows (client list)", showDone);
    report("minimise all (call)", minimizeCall);
    xcb_disconnect(c);
    return 0;
}
