#include "platform/fake/FakeAudioVolume.h"

#include <cstdio>

namespace vorbix::fake {

TDeviceInfo FakeAudioVolume::DefaultAudioDevice() const {
    for (const TDeviceInfo& d : list) {
        if (d.DeviceId == defaultId) return d;
    }
    return {"", defaultId};
}

bool FakeAudioVolume::SelectAudioDevice(size_t index) {
    if (index >= list.size() || list[index].DeviceId == selected_.DeviceId) return false;
    selected_ = list[index];
    log_.push_back("select " + selected_.DeviceId);
    return true;
}

float FakeAudioVolume::GetMasterVolume() const {
    const auto it = volume.find(selected_.DeviceId);
    return it == volume.end() ? 0.0f : it->second;
}

bool FakeAudioVolume::SetMasterVolume(float value) {
    if (selected_.DeviceId.empty() || value < 0.0f || value > 1.0f || refuseWrites) return false;
    volume[selected_.DeviceId] = value;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    log_.push_back("volume " + selected_.DeviceId + " " + text);
    return true;
}

bool FakeAudioVolume::IsMasterMuted() const {
    const auto it = muted.find(selected_.DeviceId);
    return it != muted.end() && it->second;
}

bool FakeAudioVolume::SetMasterMute(bool value) {
    if (selected_.DeviceId.empty() || refuseWrites) return false;
    if (IsMasterMuted() == value) return true;
    muted[selected_.DeviceId] = value;
    log_.push_back("mute " + selected_.DeviceId + (value ? " on" : " off"));
    return true;
}

}  // namespace vorbix::fake
