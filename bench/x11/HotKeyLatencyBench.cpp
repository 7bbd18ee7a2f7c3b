// Latency of a hot key on X11: from the key event sent with XTest by a second client to the
// moment the backend calls the dispatcher, over 100 presses. Needs an X server; run it in the
// test desktop:
//
//   tests/support/run-in-desktop.sh --no-tray --no-audio -- build/x11_hotkey_latency_bench
//
// It prints the median, the 90th percentile and the extremes in microseconds, then the time
// to register and unregister a table of 192 combinations.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11Keymap.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "no X display: run through tests/support/run-in-desktop.sh\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);

    Clock::time_point called;
    QEventLoop loop;
    vorbix::x11::X11HotKeyBackend backend([&](int32_t) {
        called = Clock::now();
        loop.quit();
    });
    if (!backend.registerHotKey(30000, {0x74, vorbix::MOD_CONTROL}).ok()) {  // Ctrl+F5
        std::fprintf(stderr, "Ctrl+F5 could not be registered\n");
        return 1;
    }

    // The sender is another client, like the keyboard driver's events would come from the
    // server.
    xcb_connection_t* sender = xcb_connect(nullptr, nullptr);
    vorbix::x11::X11Keymap keymap(sender);
    const uint8_t control = keymap.keycodeOf(XK_Control_L);
    const uint8_t f5 = keymap.keycodeOf(XK_F5);
    auto fake = [&](uint8_t type, uint8_t code) {
        xcb_test_fake_input(sender, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    };
    fake(XCB_KEY_PRESS, control);
    xcb_flush(sender);

    constexpr int kPresses = 100;
    std::vector<double> micros;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (int i = 0; i < kPresses + 5; ++i) {
        called = {};
        const Clock::time_point sent = Clock::now();
        fake(XCB_KEY_PRESS, f5);
        xcb_flush(sender);
        timeout.start(1000);
        loop.exec();
        timeout.stop();
        if (called == Clock::time_point{}) {
            std::fprintf(stderr, "press %d did not arrive\n", i);
            return 1;
        }
        if (i >= 5)  // the first presses warm up the connection
            micros.push_back(std::chrono::duration<double, std::micro>(called - sent).count());
        fake(XCB_KEY_RELEASE, f5);
        xcb_flush(sender);
    }
    fake(XCB_KEY_RELEASE, control);
    xcb_flush(sender);
    xcb_disconnect(sender);

    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<size_t>(q * (micros.size() - 1))]; };
    std::printf("hot key latency over %d presses (us): median %.1f  p90 %.1f  min %.1f  max %.1f\n",
                kPresses, at(0.5), at(0.9), micros.front(), micros.back());

    // Registering a full table: 192 combinations (F1-F12 with every modifier set), then
    // unregistering them again.
    backend.unregisterHotKey(30000);
    const Clock::time_point start = Clock::now();
    int registered = 0;
    for (int key = 0; key < 12; ++key)
        for (uint32_t modifiers = 0; modifiers < 16; ++modifiers)
            registered += backend
                              .registerHotKey(30000 + key * 16 + int(modifiers),
                                              {uint16_t(0x70 + key), modifiers})
                              .ok();
    const Clock::time_point middle = Clock::now();
    for (int id = 30000; id < 30000 + 12 * 16; ++id) backend.unregisterHotKey(id);
    const Clock::time_point end = Clock::now();
    auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    std::printf("register %d combinations: %.2f ms, unregister them: %.2f ms\n", registered,
                ms(middle - start), ms(end - middle));
    return 0;
}
