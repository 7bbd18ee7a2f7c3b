// The sound cards' own mixers through alsa-lib, for systems without a sound server: each card's
// playback lines that have a volume and a switch ("Master" or "Speaker" as speakers,
// "Headphone", "IEC958"; "PCM" or the first such line on cards without them) are the devices,
// the first of them the default. Changes arrive through the mixers' poll descriptors on the Qt
// event loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/linux/AudioBackend.h"

namespace vorbix {

// The file of alsa-lib, as the dynamic loader finds it.
inline constexpr const char* kAlsaLibraryFile = "libasound.so.2";

class AlsaMixerBackend final : public AudioBackend {
public:
    // `mixers`: the ALSA mixer devices to open ("hw:0", "default"); empty: every sound card.
    // alsa-lib is loaded from `library`; without it no mixer is opened.
    AlsaMixerBackend(std::vector<std::string> mixers, Changed changed,
                     const std::string& library = kAlsaLibraryFile);
    ~AlsaMixerBackend() override;
    AlsaMixerBackend(const AlsaMixerBackend&) = delete;
    AlsaMixerBackend& operator=(const AlsaMixerBackend&) = delete;

    std::string description() const override;
    bool isMixer() const override { return true; }
    AudioSnapshot snapshot() const override;
    bool setVolume(const std::string& id, float volume) override;
    bool setMute(const std::string& id, bool muted) override;

    struct State;

private:
    std::unique_ptr<State> s_;
};

}  // namespace vorbix
