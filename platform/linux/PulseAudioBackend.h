// The PulseAudio sound server (also PipeWire through pipewire-pulse) as an audio back end: the
// sinks are the devices (id = sink name, name = its description), the server's default sink is
// the default device. A thread of libpulse's threaded main loop keeps the state up to date from
// the server's sink and server events. No server is ever spawned; when the server goes away the
// state is empty until a new connection, tried again and again, succeeds.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/linux/AudioBackend.h"

namespace vorbix {

// The file of libpulse, as the dynamic loader finds it.
inline constexpr const char* kPulseLibraryFile = "libpulse.so.0";

class PulseAudioBackend final : public AudioBackend {
public:
    enum class Start { Pending, Ready, Failed };

    // Loads libpulse from `library` and starts connecting at once, without waiting; `changed` is
    // called on the server thread. Without the library the start has failed at once.
    explicit PulseAudioBackend(Changed changed, const std::string& library = kPulseLibraryFile);
    ~PulseAudioBackend() override;
    PulseAudioBackend(const PulseAudioBackend&) = delete;
    PulseAudioBackend& operator=(const PulseAudioBackend&) = delete;

    // Waits until the first connection is ready (the sinks and the default sink known) or has
    // failed, but not past `deadline`.
    Start waitForStart(std::chrono::steady_clock::time_point deadline);

    std::string description() const override;
    bool isMixer() const override { return false; }
    AudioSnapshot snapshot() const override;
    bool setVolume(const std::string& id, float volume) override;
    bool setMute(const std::string& id, bool muted) override;

    struct State;

private:
    std::unique_ptr<State> s_;
};

}  // namespace vorbix
