// What the audio component needs of a sound system: its state as a snapshot, and writes of one
// device's volume and mute state. A back end reports every change of its state through the
// `changed` function it is given, on any thread; the component then takes a new snapshot on the
// interface thread and tells its listeners what differs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/AudioVolume.h"

namespace vorbix {

struct EndpointState {
    TDeviceInfo info;
    float volume = 0.0f;  // the loudest channel, 0.0 to 1.0
    bool muted = false;
};

struct AudioSnapshot {
    bool ready = false;  // the sound system answers
    std::vector<EndpointState> devices;
    std::string defaultId;
};

class AudioBackend {
public:
    using Changed = std::function<void()>;
    virtual ~AudioBackend() = default;
    // A short description for the log ("PulseAudio 16.1", "ALSA mixer of 2 cards").
    virtual std::string description() const = 0;
    virtual bool isMixer() const = 0;
    virtual AudioSnapshot snapshot() const = 0;
    // Sets the loudest channel to `volume` (0.0 to 1.0), the others in proportion so that the
    // balance stays. False when the device is unknown or the request could not be sent.
    virtual bool setVolume(const std::string& id, float volume) = 0;
    virtual bool setMute(const std::string& id, bool muted) = 0;
};

}  // namespace vorbix
