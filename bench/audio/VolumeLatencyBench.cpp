// Latency of a volume hot key: from the key event sent with XTest to the moment a second client
// of the PulseAudio server (this program, subscribed to sink events) sees the sink's volume
// change, with the real vorbix running hidden with two volume rows (+5 % and -5 % on sink "a").
// Run it in the test desktop, which has the server and the null sink:
//
//   tests/support/run-in-desktop.sh --no-tray -- build/audio_volume_latency_bench build/vorbix
//
// It prints the median, the 90th percentile and the extremes in milliseconds.
#include <pulse/pulseaudio.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/x11/X11Keymap.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The second client: counts the volume changes of one sink and stamps the latest.
struct Watcher {
    pa_threaded_mainloop* loop = pa_threaded_mainloop_new();
    pa_context* context = nullptr;
    std::string sink;
    uint32_t sinkIndex = PA_INVALID_INDEX;
    pa_volume_t lastVolume = PA_VOLUME_INVALID;
    std::mutex mutex;
    std::condition_variable changed;
    int changes = 0;
    Clock::time_point seen;

    static void onSink(pa_context*, const pa_sink_info* info, int, void* self) {
        auto* w = static_cast<Watcher*>(self);
        if (!info) return;
        w->sinkIndex = info->index;
        const pa_volume_t volume = pa_cvolume_max(&info->volume);
        if (volume == w->lastVolume) return;
        const bool first = w->lastVolume == PA_VOLUME_INVALID;
        w->lastVolume = volume;
        if (first) return;
        std::lock_guard lock(w->mutex);
        ++w->changes;
        w->changed.notify_all();
    }
    static void onEvent(pa_context* c, pa_subscription_event_type_t type, uint32_t index,
                        void* self) {
        auto* w = static_cast<Watcher*>(self);
        if ((type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) != PA_SUBSCRIPTION_EVENT_SINK ||
            index != w->sinkIndex) {
            return;
        }
        {
            // The event itself is the moment the change is seen; the query only confirms it.
            std::lock_guard lock(w->mutex);
            w->seen = Clock::now();
        }
        pa_operation_unref(pa_context_get_sink_info_by_index(c, index, &Watcher::onSink, w));
    }
    static void onState(pa_context* c, void* self) {
        auto* w = static_cast<Watcher*>(self);
        if (pa_context_get_state(c) != PA_CONTEXT_READY) return;
        pa_context_set_subscribe_callback(c, &Watcher::onEvent, w);
        pa_operation_unref(pa_context_subscribe(c, PA_SUBSCRIPTION_MASK_SINK, nullptr, nullptr));
        pa_operation_unref(
            pa_context_get_sink_info_by_name(c, w->sink.c_str(), &Watcher::onSink, w));
    }

    bool start(const std::string& name) {
        sink = name;
        pa_threaded_mainloop_start(loop);
        pa_threaded_mainloop_lock(loop);
        context = pa_context_new(pa_threaded_mainloop_get_api(loop), "volume-latency-bench");
        pa_context_set_state_callback(context, &Watcher::onState, this);
        const bool ok = pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
        pa_threaded_mainloop_unlock(loop);
        return ok;
    }
    int count() {
        std::lock_guard lock(mutex);
        return changes;
    }
    // Waits for the change after `count` changes; the time it was seen, or none.
    std::optional<Clock::time_point> waitForChange(int count, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex);
        if (!changed.wait_for(lock, limit, [&] { return changes > count; })) return std::nullopt;
        return seen;
    }
    ~Watcher() {
        pa_threaded_mainloop_lock(loop);
        pa_context_disconnect(context);
        pa_context_unref(context);
        pa_threaded_mainloop_unlock(loop);
        pa_threaded_mainloop_stop(loop);
        pa_threaded_mainloop_free(loop);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::getenv("DISPLAY") || !std::getenv("PULSE_SERVER")) {
        std::fprintf(stderr, "usage: %s VORBIX, in the test desktop with its sound server\n",
                     argv[0]);
        return 77;
    }
    namespace fs = std::filesystem;
    const fs::path config =
        fs::temp_directory_path() / ("vorbix-volume-bench-" + std::to_string(::getpid()));
    fs::create_directories(config / "Vorbix");
    {
        std::ofstream hkv(config / "Vorbix" / "HotKeys.hkv", std::ios::binary);
        hkv << "[General]\r\nCount=2\r\n"
               "[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Lautst\xe4rke regeln\r\n"
               "Volume=+5%\r\nSettings=a\r\n"
               "[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Lautst\xe4rke regeln\r\n"
               "Volume=-5%\r\nSettings=a\r\n";
    }
    if (std::system("pactl set-sink-volume a 50% && pactl set-sink-mute a 0") != 0) return 1;

    Watcher watcher;
    if (!watcher.start("a")) return 1;

    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    pid_t vorbix = -1;
    char* args[] = {argv[1], const_cast<char*>("hide"), nullptr};
    if (::posix_spawn(&vorbix, argv[1], nullptr, nullptr, args, environ) != 0) return 1;

    xcb_connection_t* sender = xcb_connect(nullptr, nullptr);
    vorbix::x11::X11Keymap keymap(sender);
    const uint8_t control = keymap.keycodeOf(XK_Control_L);
    const uint8_t f5 = keymap.keycodeOf(XK_F5), f6 = keymap.keycodeOf(XK_F6);
    auto fake = [&](uint8_t type, uint8_t code) {
        xcb_test_fake_input(sender, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(sender);
    };
    fake(XCB_KEY_PRESS, control);

    // The program is up once its Ctrl+F5 changes the volume.
    int changes = 0;
    bool up = false;
    for (int i = 0; i < 400 && !up; ++i) {
        fake(XCB_KEY_PRESS, f5);
        fake(XCB_KEY_RELEASE, f5);
        up = watcher.waitForChange(changes, std::chrono::milliseconds(50)).has_value();
    }
    if (!up) {
        std::fprintf(stderr, "no volume change after 20 s\n");
        ::kill(vorbix, SIGTERM);
        ::waitpid(vorbix, nullptr, 0);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    changes = watcher.count();

    constexpr int kPresses = 100;
    std::vector<double> millis;
    for (int i = 0; i < kPresses + 5; ++i) {
        // Down and up again, so the volume stays in the middle of the scale.
        const uint8_t key = i % 2 == 0 ? f6 : f5;
        const Clock::time_point sent = Clock::now();
        fake(XCB_KEY_PRESS, key);
        const auto seen = watcher.waitForChange(changes, std::chrono::milliseconds(2000));
        fake(XCB_KEY_RELEASE, key);
        if (!seen) {
            std::fprintf(stderr, "press %d changed nothing\n", i);
            break;
        }
        changes = watcher.count();
        if (i >= 5)
            millis.push_back(std::chrono::duration<double, std::milli>(*seen - sent).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    fake(XCB_KEY_RELEASE, control);
    xcb_disconnect(sender);
    ::kill(vorbix, SIGTERM);
    ::waitpid(vorbix, nullptr, 0);
    fs::remove_all(config);
    if (millis.empty()) return 1;

    std::sort(millis.begin(), millis.end());
    auto at = [&](double q) { return millis[static_cast<size_t>(q * (millis.size() - 1))]; };
    std::printf(
        "volume hot key to the change seen by a second client over %zu presses (ms): median %.2f"
        "  p90 %.2f  min %.2f  max %.2f\n",
        millis.size(), at(0.5), at(0.9), millis.front(), millis.back());
    return 0;
}
