// TAudioVolume: the port through which the program reaches the sound system's playback devices.
// It lists the devices, knows the default one and follows its changes, selects one device for
// volume work, reads and sets that device's master volume (0.0 to 1.0) and mute state, and tells
// its listeners about changes. Every call and every event happens on the interface thread.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorbix {

// One playback device: its name for people and its identifier for the files.
struct TDeviceInfo {
    std::string DeviceName;
    std::string DeviceId;
    bool operator==(const TDeviceInfo&) const = default;
};

// The state codes of a device-state event.
inline constexpr uint32_t kDeviceAdded = 0x80000000u;
inline constexpr uint32_t kDeviceRemoved = 0x80000001u;

// Receives the changes. The device list is already up to date when an event arrives.
class AudioListener {
public:
    virtual ~AudioListener() = default;
    // Master volume or mute of the selected device changed; ByMyAction is true when the change
    // was made through this component.
    virtual void OnMasterVolumeEvent(bool ByMyAction, float Volume, bool Mute) {
        (void)ByMyAction, (void)Volume, (void)Mute;
    }
    // A device was added (kDeviceAdded) or removed (kDeviceRemoved).
    virtual void OnDeviceStateChange(const std::string& DeviceId, uint32_t NewDeviceState) {
        (void)DeviceId, (void)NewDeviceState;
    }
    // The default playback device is another one now (empty when there is none).
    virtual void OnDefaultDeviceChange(const TDeviceInfo& NewDefaultDevice) {
        (void)NewDefaultDevice;
    }
};

class TAudioVolume {
public:
    virtual ~TAudioVolume() = default;

    // A sound system answers: its devices can be listed and changed. False when none was found,
    // and while a sound server that went away is gone.
    virtual bool Ready() const = 0;
    // The libraries of the sound system that could not be loaded ("libpulse.so.0"), while no
    // sound system answers because of them; empty otherwise.
    virtual std::string missingLibraries() const { return {}; }
    // The mixer back end (no sound server, the sound cards' own mixers) is in use.
    virtual bool WindowXPMode() const = 0;
    // The playback devices in the sound system's order.
    virtual std::vector<TDeviceInfo> devices() const = 0;
    // The default playback device; both texts empty when there is none. Its name is empty when
    // the sound system names a default that is not (yet) in the list.
    virtual TDeviceInfo DefaultAudioDevice() const = 0;
    // The device chosen by SelectAudioDevice; empty before the first choice and after the device
    // went away.
    virtual TDeviceInfo SelectedDevice() const = 0;
    // Makes device `index` the selected one. False when the index is out of range or that device
    // is selected already.
    virtual bool SelectAudioDevice(size_t index) = 0;

    // Master volume of the selected device, 0.0 to 1.0 (0.0 without one).
    virtual float GetMasterVolume() const = 0;
    // False when nothing was changed: no device selected, the value is outside 0.0 to 1.0, or
    // the sound system refused.
    virtual bool SetMasterVolume(float value) = 0;
    virtual bool IsMasterMuted() const = 0;
    // Changes the mute state only when it differs; false when no device is selected or the sound
    // system refused.
    virtual bool SetMasterMute(bool value) = 0;

    size_t AudioDeviceCount() const { return devices().size(); }
    // A copy of entry `index`; empty for an index that is not below the count.
    TDeviceInfo AudioDeviceInfo(size_t index) const {
        const std::vector<TDeviceInfo> list = devices();
        return index < list.size() ? list[index] : TDeviceInfo{};
    }

    // Listeners are not owned; remove one before it goes away.
    void addListener(AudioListener* listener) { listeners_.push_back(listener); }
    void removeListener(AudioListener* listener) { std::erase(listeners_, listener); }

protected:
    void raiseMasterVolume(bool byMyAction, float volume, bool mute) {
        for (AudioListener* l : std::vector(listeners_))
            l->OnMasterVolumeEvent(byMyAction, volume, mute);
    }
    void raiseDeviceState(const std::string& id, uint32_t state) {
        for (AudioListener* l : std::vector(listeners_)) l->OnDeviceStateChange(id, state);
    }
    void raiseDefaultDevice(const TDeviceInfo& device) {
        for (AudioListener* l : std::vector(listeners_)) l->OnDefaultDeviceChange(device);
    }

private:
    std::vector<AudioListener*> listeners_;
};

}  // namespace vorbix
