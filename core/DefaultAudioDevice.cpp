#include "core/DefaultAudioDevice.h"

#include "core/VolumeAction.h"

namespace vorbix {

const std::string& AudioEndpointsOnDemand::defaultDeviceId() {
    if (!defaultId_) {
        defaultId_.emplace();
        if (audio_) {
            *defaultId_ = gatherAudioEndpoints(*audio_).DefaultDeviceId;
            selectFinalAudioDevice(*audio_);
        }
    }
    return *defaultId_;
}

}  // namespace vorbix
