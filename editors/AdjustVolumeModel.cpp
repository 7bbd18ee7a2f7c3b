#include "editors/AdjustVolumeModel.h"

#include <algorithm>

#include "core/VolumeAction.h"

namespace vorbix {

std::string volumeAmountText(int percent) {
    return (percent > 0 ? "+" : "") + std::to_string(percent) + "%";
}

void AdjustVolumeModel::decode(const HotKeyEntry& row, const EditorTexts& texts,
                               const std::string& muteText, const TAudioVolume* audio) {
    devices = audio && audio->Ready() ? audio->devices() : std::vector<TDeviceInfo>();
    const std::string defaultId = audio ? audio->DefaultAudioDevice().DeviceId : std::string();
    const auto index = deviceIndexFor(devices, row.DeviceId, defaultId);
    device = index ? int(*index) : -1;
    shownDevice_ = device;
    storedId_ = row.DeviceId;
    storedIdPresent_ = std::any_of(devices.begin(), devices.end(), [&](const TDeviceInfo& d) {
        return d.DeviceId == row.DeviceId;
    });

    const LanguageCatalogue& languages = *texts.languages;
    const bool unset =
        languages.isPlaceholder(Placeholder::NewVolume, row.PropertiesText, &texts.current);
    const VolumeChange change =
        unset ? VolumeChange{}
              : readVolumeChange(row.PropertiesText, texts.current.sNewVolume,
                                 [&](std::string_view text) {
                                     return text == muteText || languages.isMuteWord(text);
                                 });
    mute = change.kind == VolumeChange::Kind::ToggleMute;
    if (change.kind == VolumeChange::Kind::Step) {
        steps = change.points / 5;
        amount = volumeAmountText(change.points);
    } else {
        steps = 0;
        amount = volumeAmountText(0);
    }
}

void AdjustVolumeModel::setSteps(int s) {
    steps = std::clamp(s, kVolumeStepsMin, kVolumeStepsMax);
    amount = volumeAmountText(steps * 5);
}

void AdjustVolumeModel::setMute(bool on) {
    mute = on;
    if (on) setSteps(0);
}

void AdjustVolumeModel::encode(HotKeyEntry& row, const std::string& muteText) const {
    row.PropertiesText = mute ? muteText : amount;
    if (device < 0 || size_t(device) >= devices.size()) {
        row.DeviceId = storedId_;
        return;
    }
    const bool standIn = device == shownDevice_ && !storedIdPresent_;
    row.DeviceId = standIn ? storedId_ : devices[size_t(device)].DeviceId;
}

}  // namespace vorbix
