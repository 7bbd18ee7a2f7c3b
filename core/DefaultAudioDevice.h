// The default playback device's id that volume rows take when they name no device of their own
// (a new row, a row whose properties are not set, a row of a file without a device), and the
// endpoint data behind it. Both are gathered from the audio component when a row first needs
// them, not at every start: a table without volume rows never starts the sound system.
#pragma once

#include <optional>
#include <string>

#include "core/AudioVolume.h"
#include "core/DeviceIdSource.h"

namespace vorbix {

// The endpoint data of the start, gathered once on the first call that needs it: the device
// selection the start makes (the default device, then the final choice) happens then too.
class AudioEndpointsOnDemand {
public:
    explicit AudioEndpointsOnDemand(TAudioVolume* audio) : audio_(audio) {}

    // The DefaultDeviceId: the default device's id as the component found it when first asked
    // (empty without devices or without a component). The same text from then on.
    const std::string& defaultDeviceId();
    // Whether the endpoint data has been gathered.
    bool gathered() const { return defaultId_.has_value(); }
    // Gathers the endpoint data now when `needed`, so that a volume row's first use finds the
    // sound system ready; nothing when gathered already.
    void gatherWhen(bool needed) {
        if (needed) defaultDeviceId();
    }
    // A source of the id that asks this object (which must outlive it).
    DeviceIdSource source() {
        return DeviceIdSource([this] { return defaultDeviceId(); });
    }

private:
    TAudioVolume* audio_;
    std::optional<std::string> defaultId_;
};

}  // namespace vorbix
