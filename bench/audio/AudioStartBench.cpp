// What the audio component adds when it starts (on first use, or when the table holds a volume
// row), with the test desktop's PulseAudio server and without any server:
//   - the very first start in the process, which loads the sound libraries,
//   - the start (it only starts looking for the server),
//   - the first use straight after construction (a whole connection, or the fall-back to the
//     sound cards' mixers),
//   - the first use 30 ms after construction, the time the program spends building its windows
//     meanwhile: what the start really waits.
//
//   tests/support/run-in-desktop.sh --no-tray --no-wm -- build/audio_start_bench
#include <QCoreApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/LinuxAudioVolume.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The first start of the process: libpulse (and what it pulls in) is loaded then.
void measureLoading() {
    const Clock::time_point t0 = Clock::now();
    vorbix::LinuxAudioVolume audio;
    audio.start();
    std::printf("first start, loading the sound libraries: %.3f ms\n", ms(Clock::now() - t0));
}

void measure(const char* label) {
    constexpr int kRuns = 20;
    std::vector<double> construct, direct, afterWork;
    size_t devices = 0;
    for (int i = 0; i < kRuns; ++i) {
        Clock::time_point t0 = Clock::now();
        auto audio = std::make_unique<vorbix::LinuxAudioVolume>();
        audio->start();
        Clock::time_point t1 = Clock::now();
        devices = audio->devices().size();
        Clock::time_point t2 = Clock::now();
        construct.push_back(ms(t1 - t0));
        direct.push_back(ms(t2 - t1));
        audio.reset();

        audio = std::make_unique<vorbix::LinuxAudioVolume>();
        audio->start();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        t0 = Clock::now();
        audio->devices();
        afterWork.push_back(ms(Clock::now() - t0));
    }
    std::printf(
        "%s (%zu devices), median of %d: start %.3f ms, first use at once %.3f ms, "
        "first use after 30 ms %.3f ms\n",
        label, devices, kRuns, median(construct), median(direct), median(afterWork));
}

}  // namespace

int main(int argc, char** argv) {
    QLoggingCategory::setFilterRules(QStringLiteral("vorbix.audio.info=false"));
    QCoreApplication app(argc, argv);
    measureLoading();
    if (std::getenv("PULSE_SERVER")) measure("with a PulseAudio server");
    ::setenv("PULSE_SERVER", "unix:/nonexistent/vorbix-bench", 1);
    measure("without a sound server");
    return 0;
}
