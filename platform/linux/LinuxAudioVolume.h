// The audio endpoint component on Linux: TAudioVolume over the PulseAudio server when one
// answers at start, else over the sound cards' ALSA mixers. It starts on first use: until then
// no sound library is loaded, so a program that never needs the sound system never maps one. It
// keeps the last snapshot of the back end's state on the interface thread and turns the differences
// between snapshots into the listeners' events, so every event arrives on the interface thread and
// each change once.
#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AudioVolume.h"
#include "platform/linux/AlsaMixerBackend.h"
#include "platform/linux/AudioBackend.h"
#include "platform/linux/PulseAudioBackend.h"

namespace vorbix {

struct AudioOptions {
    // Whether to look for a sound server at all.
    bool pulse = true;
    // The ALSA mixers to use without a server ("hw:0", "default"); empty: every sound card.
    std::vector<std::string> mixers;
    // How long the first use waits, counted from the start, for a server to answer. A server
    // that has not answered by then is kept and used when it does.
    std::chrono::milliseconds startWait{250};
    // The libraries loaded at the start; without either one its back end is not used.
    std::string pulseLibrary = kPulseLibraryFile;
    std::string alsaLibrary = kAlsaLibraryFile;
};

class LinuxAudioVolume : public QObject, public TAudioVolume {
public:
    // Loads nothing yet: the first use, or start(), does.
    explicit LinuxAudioVolume(AudioOptions options = {}, QObject* parent = nullptr);
    ~LinuxAudioVolume() override;

    bool Ready() const override;
    std::string missingLibraries() const override;
    bool WindowXPMode() const override;
    std::vector<TDeviceInfo> devices() const override;
    TDeviceInfo DefaultAudioDevice() const override;
    TDeviceInfo SelectedDevice() const override;
    bool SelectAudioDevice(size_t index) override;
    float GetMasterVolume() const override;
    bool SetMasterVolume(float value) override;
    bool IsMasterMuted() const override;
    bool SetMasterMute(bool value) override;

    // The back end in use, as the log names it.
    std::string backendDescription() const;
    // Loads the sound server's library and starts looking for the server, without waiting for
    // it; nothing when started already.
    void start();
    bool started() const { return started_; }

private:
    // Chooses the back end on first use (waiting at most until the start deadline).
    void settle();
    LinuxAudioVolume& settled() const;
    // Any thread: a new snapshot is due; several calls before it is taken make one.
    void postChange();
    // Interface thread: takes the snapshot and raises the events of what differs.
    void applyChange();

    AudioOptions options_;
    std::chrono::steady_clock::time_point deadline_;
    std::unique_ptr<PulseAudioBackend> pulse_;  // until the choice is made
    std::unique_ptr<AudioBackend> backend_;
    bool started_ = false;
    bool settled_ = false;
    std::atomic<bool> changePosted_{false};
    AudioSnapshot state_;
    TDeviceInfo selected_;
    // Own changes not yet seen in a snapshot: the value written to the selected device, and when.
    std::optional<float> myVolume_;
    std::optional<bool> myMute_;
    std::chrono::steady_clock::time_point myVolumeAt_, myMuteAt_;
};

}  // namespace vorbix
