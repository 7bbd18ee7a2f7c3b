// A recording double of the audio endpoint port: devices, default and volumes are set by the
// test; every change is logged ("select b", "volume b 0.55", "mute b on").
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/AudioVolume.h"

namespace vorbix::fake {

class FakeAudioVolume : public TAudioVolume {
public:
    explicit FakeAudioVolume(std::vector<std::string>& log) : log_(log) {}

    bool Ready() const override { return ready; }
    std::string missingLibraries() const override { return ready ? "" : missing; }
    bool WindowXPMode() const override { return mixerMode; }
    std::vector<TDeviceInfo> devices() const override { return list; }
    TDeviceInfo DefaultAudioDevice() const override;
    TDeviceInfo SelectedDevice() const override { return selected_; }
    bool SelectAudioDevice(size_t index) override;
    float GetMasterVolume() const override;
    bool SetMasterVolume(float value) override;
    bool IsMasterMuted() const override;
    bool SetMasterMute(bool value) override;

    // Raises the events as the sound system would.
    using TAudioVolume::raiseDefaultDevice;
    using TAudioVolume::raiseDeviceState;
    using TAudioVolume::raiseMasterVolume;

    bool ready = true;
    bool mixerMode = false;
    bool refuseWrites = false;
    std::string missing;  // the libraries named while not ready
    std::vector<TDeviceInfo> list;
    std::string defaultId;
    std::map<std::string, float> volume;  // by device id
    std::map<std::string, bool> muted;

private:
    std::vector<std::string>& log_;
    TDeviceInfo selected_;
};

}  // namespace vorbix::fake
