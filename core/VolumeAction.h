// The volume action's rules: what a row's stored value asks for, which playback device its
// DeviceId means, the arithmetic of a step, and the effect itself through TAudioVolume. Also the
// endpoint data the program gathers when it starts.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AudioVolume.h"
#include "core/HotKeyTable.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"

namespace vorbix {

// A stored step lies within -100 % ... +100 %; anything beyond is read as the limit.
inline constexpr int kMaxVolumeStep = 100;
// A DeviceId shorter than this (the empty one too) stands for the default playback device,
// unless a present device has exactly that id.
inline constexpr size_t kShortDeviceIdLength = 6;

// What a row's stored value (PropertiesText, key "Volume") asks for.
struct VolumeChange {
    enum class Kind { NotSet, Unreadable, Step, ToggleMute };
    Kind kind = Kind::NotSet;
    int points = 0;  // the step in percentage points, for Step
    bool operator==(const VolumeChange&) const = default;
};

// Reads a stored value: the placeholder or an empty text is NotSet; one of the mute words (of any
// language) toggles; otherwise every "%" and "+" is removed and the rest, blanks around it
// ignored, must be a whole number (clamped to the step limits); anything else is Unreadable.
VolumeChange readVolumeChange(std::string_view stored, std::string_view placeholder,
                              const std::function<bool(std::string_view)>& isMuteWord);

// The volume after a step of `points` percentage points: the 0.0 ... 1.0 scale is never left, a
// step that would leave it stops at the limit.
float steppedVolume(float current, int points);

// The device a stored id means: the present device with exactly that id; else (a short id, or
// the id of a device that is not connected, such as one from another computer) the default
// device; the first device when the default is not in the list; none without devices.
std::optional<size_t> deviceIndexFor(const std::vector<TDeviceInfo>& devices,
                                     std::string_view storedId, std::string_view defaultId);

enum class VolumeError {
    None,
    NotSet,
    Unreadable,
    NoSoundSystem,
    NoSoundLibrary,
    NoDevice,
    Failed
};

struct VolumeOutcome {
    VolumeError error = VolumeError::None;
    std::string subject;  // the unreadable value, the missing libraries or the device that refused
    bool ok() const { return error == VolumeError::None; }
};

// The effect of a volume row when its hot key is pressed: selects the device the row means (the
// default device as it is now for a short id) and steps its volume or toggles its mute state. A
// step that changes nothing (at a limit, or 0 %) writes nothing. `audio` may be null.
VolumeOutcome runAdjustVolume(TAudioVolume* audio, const HotKeyEntry& row,
                              const VolumeChange& change);

// The endpoint data of the start: the device names, where the default device stands among them
// (0 when it is not there) and its id (empty without devices).
struct AudioEndpointData {
    std::vector<std::string> DeviceNames;
    size_t DefaultDeviceIndex = 0;
    std::string DefaultDeviceId;
};

// Whether the table holds a volume row (its caption in the current language or any other).
bool holdsVolumeRow(const HotKeyTable& table, const LanguageCatalogue& languages,
                    const LanguageTexts& texts);

// Gathers the endpoint data and selects the device at DefaultDeviceIndex.
AudioEndpointData gatherAudioEndpoints(TAudioVolume& audio);
// The selection the start ends with: the first device under the mixer back end, else the last.
void selectFinalAudioDevice(TAudioVolume& audio);

}  // namespace vorbix
