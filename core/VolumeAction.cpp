#include "core/VolumeAction.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtil.h"

namespace vorbix {

VolumeChange readVolumeChange(std::string_view stored, std::string_view placeholder,
                              const std::function<bool(std::string_view)>& isMuteWord) {
    using Kind = VolumeChange::Kind;
    if (stored.empty() || stored == placeholder) return {Kind::NotSet, 0};
    if (isMuteWord && isMuteWord(stored)) return {Kind::ToggleMute, 0};
    std::string number;
    for (char c : stored) {
        if (c != '%' && c != '+') number += c;
    }
    number = trim(number);
    std::string_view digits = number;
    const bool negative = digits.starts_with('-');
    if (negative) digits.remove_prefix(1);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {Kind::Unreadable, 0};
    }
    // Saturates: a long row of digits is beyond the limit, not an overflow.
    int value = 0;
    for (char c : digits) value = std::min(value * 10 + (c - '0'), kMaxVolumeStep);
    return {Kind::Step, negative ? -value : value};
}

float steppedVolume(float current, int points) {
    const float from = std::isfinite(current) ? std::clamp(current, 0.0f, 1.0f) : 0.0f;
    const int step = std::clamp(points, -kMaxVolumeStep, kMaxVolumeStep);
    return std::clamp(from + static_cast<float>(step) / 100.0f, 0.0f, 1.0f);
}

std::optional<size_t> deviceIndexFor(const std::vector<TDeviceInfo>& devices,
                                     std::string_view storedId, std::string_view defaultId) {
    if (devices.empty()) return std::nullopt;
    auto indexOf = [&](std::string_view id) -> std::optional<size_t> {
        if (id.empty()) return std::nullopt;
        for (size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].DeviceId == id) return i;
        }
        return std::nullopt;
    };
    if (auto exact = indexOf(storedId)) return exact;
    if (auto fallback = indexOf(defaultId)) return fallback;
    return 0;
}

VolumeOutcome runAdjustVolume(TAudioVolume* audio, const HotKeyEntry& row,
                              const VolumeChange& change) {
    using Kind = VolumeChange::Kind;
    if (change.kind == Kind::NotSet) return {VolumeError::NotSet, {}};
    if (change.kind == Kind::Unreadable) return {VolumeError::Unreadable, row.PropertiesText};
    if (!audio) return {VolumeError::NoSoundSystem, {}};
    if (!audio->Ready()) {
        std::string missing = audio->missingLibraries();
        if (!missing.empty()) return {VolumeError::NoSoundLibrary, std::move(missing)};
        return {VolumeError::NoSoundSystem, {}};
    }
    const std::vector<TDeviceInfo> list = audio->devices();
    const std::optional<size_t> index =
        deviceIndexFor(list, row.DeviceId, audio->DefaultAudioDevice().DeviceId);
    if (!index) return {VolumeError::NoDevice, {}};
    const TDeviceInfo& device = list[*index];
    const VolumeOutcome refused{VolumeError::Failed,
                                device.DeviceName.empty() ? device.DeviceId : device.DeviceName};
    if (audio->SelectedDevice().DeviceId != device.DeviceId && !audio->SelectAudioDevice(*index)) {
        return refused;
    }
    if (change.kind == Kind::ToggleMute) {
        return audio->SetMasterMute(!audio->IsMasterMuted()) ? VolumeOutcome{} : refused;
    }
    const float now = audio->GetMasterVolume();
    const float next = steppedVolume(now, change.points);
    // A volume above the scale (a server allows more than 100 %) reads as 1.0; a step up then
    // changes nothing instead of pulling it down to 100 %.
    if (std::fabs(next - now) < 1e-6f) return {};
    return audio->SetMasterVolume(next) ? VolumeOutcome{} : refused;
}

bool holdsVolumeRow(const HotKeyTable& table, const LanguageCatalogue& languages,
                    const LanguageTexts& texts) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (languages.kindOf(table.at(i).ActionText, &texts) == ActionKind::AdjustVolume) {
            return true;
        }
    }
    return false;
}

AudioEndpointData gatherAudioEndpoints(TAudioVolume& audio) {
    AudioEndpointData data;
    const std::vector<TDeviceInfo> list = audio.devices();
    const std::string defaultId = audio.DefaultAudioDevice().DeviceId;
    bool found = false;
    for (size_t i = 0; i < list.size(); ++i) {
        data.DeviceNames.push_back(list[i].DeviceName);
        if (!found && list[i].DeviceId == defaultId) {
            data.DefaultDeviceIndex = i;
            found = true;
        }
    }
    if (list.empty()) return data;
    data.DefaultDeviceId = list[data.DefaultDeviceIndex].DeviceId;
    audio.SelectAudioDevice(data.DefaultDeviceIndex);
    return data;
}

void selectFinalAudioDevice(TAudioVolume& audio) {
    const size_t count = audio.AudioDeviceCount();
    if (count == 0) return;
    audio.SelectAudioDevice(audio.WindowXPMode() ? 0 : count - 1);
}

}  // namespace vorbix
