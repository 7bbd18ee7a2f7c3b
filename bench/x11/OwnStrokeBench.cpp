// What our own synthetic strokes cost now that they pass our grabs: the time of one key press
// and release sent through X11KeyboardOutput with the press guard of the program, for a key no
// hot key uses and for the key of a registered hot key (its grabs are lifted and taken again
// around the press), over 200 strokes each. Needs an X server; run it in the test desktop:
//
//   tests/support/run-in-desktop.sh --no-tray --no-audio -- build/x11_own_stroke_bench
//
// It prints the median, the 90th percentile and the extremes in microseconds, and how many of
// the strokes fired the hot key (always 0).
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/x11/X11HotKeyBackend.h"
#include "platform/x11/X11KeyboardOutput.h"

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* what, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    std::printf("%-28s median %7.1f us   p90 %7.1f us   min %7.1f us   max %7.1f us\n", what,
                us[us.size() / 2], us[us.size() * 9 / 10], us.front(), us.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "no X display: run through tests/support/run-in-desktop.sh\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    int fired = 0;
    vorbix::x11::X11HotKeyBackend backend([&](int32_t) { ++fired; });
    vorbix::x11::X11KeyboardOutput keys;
    keys.setPressGuard([&](uint8_t keycode, const std::function<void()>& press) {
        backend.pressPastOwnGrabs(keycode, press);
    });
    // Ctrl+Alt+F9 is a hot key; F8 is none.
    if (!backend.registerHotKey(30000, {0x78, vorbix::MOD_CONTROL | vorbix::MOD_ALT}).ok()) {
        std::fprintf(stderr, "cannot register Ctrl+Alt+F9\n");
        return 1;
    }
    auto measure = [&](uint8_t vk) {
        std::vector<double> us;
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            keys.keyDown(0x11);
            keys.keyDown(0x12);
            keys.keyDown(vk);
            keys.keyUp(vk);
            keys.keyUp(0x12);
            keys.keyUp(0x11);
            us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            QCoreApplication::processEvents();
        }
        return us;
    };
    report("Ctrl+Alt+F8 (no hot key)", measure(0x77));
    report("Ctrl+Alt+F9 (our hot key)", measure(0x78));
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
    std::printf("hot key fired by our own strokes: %d times\n", fired);
    return fired == 0 ? 0 : 1;
}
