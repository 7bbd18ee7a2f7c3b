// The values of the volume editor (TAdjustVolume): the playback device, and either a change of
// the volume by -100 % ... +100 % in steps of 5 % or the mute switch. The device list is taken
// anew each time the editor is shown, and each entry keeps its device's id, so the list may
// change meanwhile without OK storing another device.
#pragma once

#include <string>
#include <vector>

#include "core/AudioVolume.h"
#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

// The amount bar's range: steps of 5 %.
inline constexpr int kVolumeStepsMin = -20;
inline constexpr int kVolumeStepsMax = 20;

// "+15%" for 15, "0%", "-35%".
std::string volumeAmountText(int percent);

class AdjustVolumeModel {
public:
    std::vector<TDeviceInfo> devices;
    int device = -1;  // the chosen entry of `devices`; -1 without devices
    bool mute = false;
    int steps = 0;              // the amount bar, kVolumeStepsMin ... kVolumeStepsMax
    std::string amount = "0%";  // the amount as the label shows it and OK stores it

    // The devices of `audio` as they are now (none when it is null or no sound system answers)
    // with the one the row's hot key would change chosen; the row's value: one of the mute words
    // (of any language, or `muteText`) checks the mute switch, a readable amount sets the bar,
    // anything else (the placeholder of any language too) gives 0 %.
    void decode(const HotKeyEntry& row, const EditorTexts& texts, const std::string& muteText,
                const TAudioVolume* audio);
    void setSteps(int s);
    // The mute switch sets the amount to 0 %.
    void setMute(bool on);
    // `PropertiesText` is the amount or `muteText`. `DeviceId` is the chosen device's id; the
    // row keeps its own id while the choice is the one shown for it and that id names no
    // present device (a device not connected now, or the default device named by a short id),
    // and while no device is listed at all.
    void encode(HotKeyEntry& row, const std::string& muteText) const;

private:
    std::string storedId_;
    int shownDevice_ = -1;
    bool storedIdPresent_ = false;
};

}  // namespace vorbix
