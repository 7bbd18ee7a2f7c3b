// The audio endpoint component against a real PulseAudio server with null sinks (the one the test
// desktop starts, with sinks "a" and "b", or one a test starts itself), and the ALSA back end
// through the ALSA pulse plugin's "default" mixer on the same server. Every change is checked with
// pactl, the server's own client.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <functional>
#include <regex>
#include <thread>

#include "core/VolumeAction.h"
#include "platform/linux/LinuxAudioVolume.h"
#include "platform/linux/PulseAudioBackend.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

using namespace std::chrono_literals;

// The output of a shell command line (only fixed test commands are run this way).
std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        ::pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// The channel volumes of a sink in percent, as pactl shows them.
std::vector<int> pactlVolume(const std::string& sink) {
    const std::string text = run("pactl get-sink-volume " + sink);
    std::vector<int> out;
    static const std::regex percent(R"(/\s*(\d+)%)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), percent);
         it != std::sregex_iterator(); ++it) {
        out.push_back(std::stoi((*it)[1]));
    }
    return out;
}

bool pactlMuted(const std::string& sink) {
    return run("pactl get-sink-mute " + sink) == "Mute: yes";
}

// Runs the event loop until `done` holds or `limit` has passed; false on timeout.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limit.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Lets events that are on their way arrive.
void settle(std::chrono::milliseconds time = 300ms) {
    waitFor([] { return false; }, time);
}

// Every event as one line: "volume mine 0.30 audible", "added c", "removed c", "default b".
struct Recorder : AudioListener {
    std::vector<std::string> events;
    void OnMasterVolumeEvent(bool mine, float volume, bool mute) override {
        char text[64];
        std::snprintf(text, sizeof text, "volume %s %.2f %s", mine ? "mine" : "other", volume,
                      mute ? "muted" : "audible");
        events.push_back(text);
    }
    void OnDeviceStateChange(const std::string& id, uint32_t state) override {
        events.push_back((state == kDeviceAdded ? "added " : "removed ") + id);
    }
    void OnDefaultDeviceChange(const TDeviceInfo& device) override {
        events.push_back("default " + device.DeviceId);
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }
    bool has(const std::string& line) const {
        return std::find(events.begin(), events.end(), line) != events.end();
    }
};

bool serverThere() {
    return std::getenv("PULSE_SERVER") && !run("pactl info").empty();
}

#define REQUIRE_SERVER() \
    if (!serverThere()) GTEST_SKIP() << "no PulseAudio server: run in the test desktop"

size_t indexOf(const TAudioVolume& audio, const std::string& id) {
    const auto list = audio.devices();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].DeviceId == id) return i;
    }
    return list.size();
}

struct Pulse : ::testing::Test {
    std::unique_ptr<LinuxAudioVolume> audio;
    Recorder events;
    void SetUp() override {
        REQUIRE_SERVER();
        run("pactl set-default-sink a");
        for (const char* sink : {"a", "b"}) {
            run(std::string("pactl set-sink-volume ") + sink + " 50%");
            run(std::string("pactl set-sink-mute ") + sink + " 0");
        }
        AudioOptions options;
        options.startWait = 5s;
        audio = std::make_unique<LinuxAudioVolume>(options);
        ASSERT_TRUE(audio->Ready());
        audio->addListener(&events);
        settle(100ms);
        events.take();
    }
    void TearDown() override {
        if (audio) audio->removeListener(&events);
    }
};

TEST_F(Pulse, ListsTheSinksAndFollowsTheDefaultOnceForEachChange) {
    EXPECT_FALSE(audio->WindowXPMode());
    EXPECT_EQ(audio->devices(), (std::vector<TDeviceInfo>{{"A", "a"}, {"B", "b"}}));
    EXPECT_EQ(audio->DefaultAudioDevice(), (TDeviceInfo{"A", "a"}));
    EXPECT_EQ(audio->AudioDeviceInfo(2), TDeviceInfo{});

    run("pactl set-default-sink b");
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    settle();
    EXPECT_EQ(events.take(), (std::vector<std::string>{"default b"}));
    EXPECT_EQ(audio->DefaultAudioDevice(), (TDeviceInfo{"B", "b"}));

    run("pactl set-default-sink b");  // no change, no event
    run("pactl set-default-sink a");
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    settle();
    EXPECT_EQ(events.take(), (std::vector<std::string>{"default a"}));
}

TEST_F(Pulse, VolumeAndMuteRoundTripsTellWhoChangedThem) {
    EXPECT_TRUE(audio->SelectAudioDevice(0));
    EXPECT_FALSE(audio->SelectAudioDevice(0));  // selected already
    EXPECT_EQ(audio->SelectedDevice(), (TDeviceInfo{"A", "a"}));
    EXPECT_NEAR(audio->GetMasterVolume(), 0.5f, 1e-4);

    ASSERT_TRUE(audio->SetMasterVolume(0.3f));
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"volume mine 0.30 audible"}));
    EXPECT_EQ(pactlVolume("a"), (std::vector<int>{30, 30}));

    run("pactl set-sink-volume a 45%");
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"volume other 0.45 audible"}));
    EXPECT_NEAR(audio->GetMasterVolume(), 0.45f, 1e-4);

    ASSERT_TRUE(audio->SetMasterMute(true));
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"volume mine 0.45 muted"}));
    EXPECT_TRUE(pactlMuted("a"));
    EXPECT_TRUE(audio->SetMasterMute(true));  // muted already: nothing to do
    run("pactl set-sink-mute a 0");
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"volume other 0.45 audible"}));
    EXPECT_FALSE(audio->IsMasterMuted());

    // Changes of a device that is not selected raise no volume event.
    run("pactl set-sink-volume b 20%");
    settle();
    EXPECT_TRUE(events.take().empty());

    EXPECT_FALSE(audio->SetMasterVolume(1.5f));
    EXPECT_FALSE(audio->SetMasterVolume(-0.1f));
    EXPECT_FALSE(audio->SetMasterVolume(std::nanf("")));
    settle(100ms);
    EXPECT_TRUE(events.take().empty());
    EXPECT_EQ(pactlVolume("a"), (std::vector<int>{45, 45}));
}

TEST_F(Pulse, VolumeKeepsTheBalanceAndReadsAboveFullAsFull) {
    ASSERT_TRUE(audio->SelectAudioDevice(1));
    run("pactl set-sink-volume b 40% 20%");
    ASSERT_TRUE(waitFor([&] { return std::fabs(audio->GetMasterVolume() - 0.4f) < 1e-3; }));
    ASSERT_TRUE(audio->SetMasterVolume(0.8f));
    ASSERT_TRUE(waitFor([&] { return events.has("volume mine 0.80 audible"); }));
    EXPECT_EQ(pactlVolume("b"), (std::vector<int>{80, 40}));

    run("pactl set-sink-volume b 150%");
    ASSERT_TRUE(waitFor([&] { return events.has("volume other 1.00 audible"); }));
    EXPECT_EQ(audio->GetMasterVolume(), 1.0f);
    // A silent device has no balance: every channel gets the new volume.
    run("pactl set-sink-volume b 0%");
    ASSERT_TRUE(waitFor([&] { return audio->GetMasterVolume() == 0.0f; }));
    ASSERT_TRUE(audio->SetMasterVolume(0.25f));
    ASSERT_TRUE(waitFor([&] { return pactlVolume("b") == std::vector<int>{25, 25}; }));
}

TEST_F(Pulse, SinksLoadedAndUnloadedWhileRunning) {
    const std::string module =
        run("pactl load-module module-null-sink sink_name=c sink_properties=device.description=C");
    ASSERT_FALSE(module.empty());
    ASSERT_TRUE(waitFor([&] { return events.has("added c"); }));
    EXPECT_EQ(audio->devices().back(), (TDeviceInfo{"C", "c"}));
    ASSERT_TRUE(audio->SelectAudioDevice(indexOf(*audio, "c")));

    run("pactl unload-module " + module);
    ASSERT_TRUE(waitFor([&] { return events.has("removed c"); }));
    EXPECT_EQ(indexOf(*audio, "c"), audio->AudioDeviceCount());
    EXPECT_EQ(audio->SelectedDevice(), TDeviceInfo{});
    EXPECT_FALSE(audio->SetMasterVolume(0.5f));
    EXPECT_FALSE(audio->SetMasterMute(true));
}

// A private server the test starts and kills, on its own socket.
class PrivateServer {
public:
    explicit PrivateServer(const test::TempDir& dir) : dir_(dir) {}
    bool start() {
        const std::string socket = dir_ / "socket";
        test::ScopedEnv home("HOME", dir_.path().string());
        // Off the desktop's session bus, where the desktop's server holds the server's name.
        test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        server_ = std::make_unique<test::TestProcess>(std::vector<std::string>{
            "pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
            "--disallow-exit", "-L", "module-native-protocol-unix socket=" + socket, "-L",
            "module-null-sink sink_name=r sink_properties=device.description=R"});
        return server_->started() &&
               waitFor([&] { return !run("PULSE_SERVER=unix:" + socket + " pactl info").empty(); },
                       10s);
    }
    void kill(int signal) {
        if (server_) server_->kill(signal);
        server_.reset();
    }
    std::string address() const { return "unix:" + (dir_ / "socket"); }

private:
    const test::TempDir& dir_;
    std::unique_ptr<test::TestProcess> server_;
};

TEST(PulseRestart, ServerKilledAndStartedAgainIsFoundAgain) {
    if (run("command -v pulseaudio").empty()) GTEST_SKIP() << "pulseaudio is not installed";
    test::TempDir dir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path().string());
    PrivateServer server(dir);
    ASSERT_TRUE(server.start());
    test::ScopedEnv address("PULSE_SERVER", server.address());
    LinuxAudioVolume audio;
    Recorder events;
    audio.addListener(&events);
    ASSERT_TRUE(audio.Ready());
    EXPECT_EQ(audio.devices(), (std::vector<TDeviceInfo>{{"R", "r"}}));
    EXPECT_TRUE(audio.SelectAudioDevice(0));

    // Killed outright: its socket stays behind, and nobody answers there.
    server.kill(SIGKILL);
    ASSERT_TRUE(waitFor([&] { return !audio.Ready(); }));
    EXPECT_TRUE(audio.devices().empty());
    EXPECT_EQ(audio.DefaultAudioDevice(), TDeviceInfo{});
    EXPECT_EQ(events.take(), (std::vector<std::string>{"removed r", "default "}));
    EXPECT_FALSE(audio.SetMasterVolume(0.5f));

    ASSERT_TRUE(server.start());
    ASSERT_TRUE(waitFor([&] { return audio.Ready(); }, 10s));
    EXPECT_EQ(audio.devices(), (std::vector<TDeviceInfo>{{"R", "r"}}));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"added r", "default r"}));
    ASSERT_TRUE(audio.SelectAudioDevice(0));
    ASSERT_TRUE(audio.SetMasterVolume(0.6f));
    EXPECT_TRUE(waitFor([&] { return events.has("volume mine 0.60 audible"); }));
    audio.removeListener(&events);
    server.kill(SIGTERM);
}

// True when a process other than this one runs with `runtimeDir` as its runtime folder.
bool someoneUses(const std::string& runtimeDir) {
    const std::string wanted = "XDG_RUNTIME_DIR=" + runtimeDir;
    for (const auto& entry : test::fs::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        if (pid == std::to_string(::getpid())) continue;
        const std::string env = test::readFile(entry.path() / "environ");
        size_t start = 0;
        while (start < env.size()) {
            size_t end = env.find('\0', start);
            if (end == std::string::npos) end = env.size();
            if (env.compare(start, end - start, wanted) == 0) return true;
            start = end + 1;
        }
    }
    return false;
}

TEST(NoServer, NothingIsListedNothingSpawnedAndTheMixersServe) {
    test::TempDir dir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path().string());
    test::ScopedEnv home("HOME", dir.path().string());
    test::ScopedEnv address("PULSE_SERVER", nullptr);
    test::ScopedEnv display("DISPLAY", nullptr);  // no server named on the X root window either

    PulseAudioBackend pulse([] {});
    EXPECT_EQ(pulse.waitForStart(std::chrono::steady_clock::now() + 5s),
              PulseAudioBackend::Start::Failed);
    EXPECT_FALSE(pulse.snapshot().ready);
    EXPECT_TRUE(pulse.snapshot().devices.empty());
    EXPECT_FALSE(pulse.setVolume("a", 0.5f));

    LinuxAudioVolume audio;
    EXPECT_TRUE(audio.WindowXPMode());  // the sound cards' mixers, none on a test machine
    EXPECT_EQ(indexOf(audio, "a"), audio.AudioDeviceCount());
    settle();
    EXPECT_FALSE(test::fs::exists(dir.path() / "pulse" / "native"));
    EXPECT_FALSE(someoneUses(dir.path().string()));
}

TEST(NoServer, AServerThatNeverAnswersDoesNotHoldTheStart) {
    test::TempDir dir;
    // A socket that takes connections into its backlog but never answers them.
    const std::string path = dir / "silent";
    const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(silent, 4), 0);
    test::ScopedEnv server("PULSE_SERVER", "unix:" + path);

    AudioOptions options;
    options.startWait = 200ms;
    LinuxAudioVolume audio(options);
    // The first use returns after the bounded wait: no devices yet, and the server is kept.
    EXPECT_TRUE(audio.devices().empty());
    EXPECT_FALSE(audio.Ready());
    EXPECT_FALSE(audio.WindowXPMode());
    HotKeyEntry row;
    row.PropertiesText = "+5%";
    EXPECT_EQ(runAdjustVolume(&audio, row, {VolumeChange::Kind::Step, 5}).error,
              VolumeError::NoSoundSystem);
    ::close(silent);
}

struct Alsa : ::testing::Test {
    std::unique_ptr<LinuxAudioVolume> audio;
    Recorder events;
    void SetUp() override {
        REQUIRE_SERVER();
        run("pactl set-default-sink a");
        run("pactl set-sink-volume a 50%");
        run("pactl set-sink-mute a 0");
        AudioOptions options;
        options.pulse = false;
        options.mixers = {"default"};
        audio = std::make_unique<LinuxAudioVolume>(options);
        audio->addListener(&events);
    }
    void TearDown() override {
        if (audio) audio->removeListener(&events);
    }
};

TEST_F(Alsa, DefaultMixerOfThePulsePluginRoundTrips) {
    ASSERT_TRUE(audio->WindowXPMode());
    ASSERT_TRUE(audio->Ready());
    const auto list = audio->devices();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].DeviceId, "default/Master");
    EXPECT_EQ(audio->DefaultAudioDevice(), list[0]);
    ASSERT_TRUE(audio->SelectAudioDevice(0));
    EXPECT_NEAR(audio->GetMasterVolume(), 0.5f, 1e-3);

    ASSERT_TRUE(audio->SetMasterVolume(0.4f));
    ASSERT_TRUE(waitFor([&] { return pactlVolume("a") == std::vector<int>{40, 40}; }));
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    EXPECT_EQ(events.take(), (std::vector<std::string>{"volume mine 0.40 audible"}));

    run("pactl set-sink-volume a 70%");
    ASSERT_TRUE(waitFor([&] { return events.has("volume other 0.70 audible"); }));
    EXPECT_NEAR(audio->GetMasterVolume(), 0.7f, 1e-3);

    ASSERT_TRUE(audio->SetMasterMute(true));
    ASSERT_TRUE(waitFor([&] { return pactlMuted("a"); }));
    ASSERT_TRUE(waitFor([&] { return events.has("volume mine 0.70 muted"); }));
    events.take();
    run("pactl set-sink-mute a 0");
    ASSERT_TRUE(waitFor([&] { return events.has("volume other 0.70 audible"); }));
    EXPECT_FALSE(audio->IsMasterMuted());
}

}  // namespace
}  // namespace vorbix

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
