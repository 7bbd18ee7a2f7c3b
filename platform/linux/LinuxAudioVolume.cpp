#include "platform/linux/LinuxAudioVolume.h"

#include <QMetaObject>
#include <algorithm>
#include <cmath>

#include "platform/linux/AlsaLibrary.h"
#include "platform/linux/AlsaMixerBackend.h"
#include "platform/linux/AudioLog.h"
#include "platform/linux/PulseAudioBackend.h"
#include "platform/linux/PulseLibrary.h"

namespace vorbix {

Q_LOGGING_CATEGORY(lcAudio, "vorbix.audio", QtInfoMsg)

namespace {

// An own change that the sound system has not shown within this time is taken as lost.
constexpr auto kOwnChangeLife = std::chrono::seconds(1);
// Two volumes this close are the same (the servers keep volumes as integers).
constexpr float kSameVolume = 0.0001f;

const EndpointState* in(const AudioSnapshot& s, const std::string& id) {
    if (id.empty()) return nullptr;
    for (const EndpointState& d : s.devices) {
        if (d.info.DeviceId == id) return &d;
    }
    return nullptr;
}

}  // namespace

LinuxAudioVolume::LinuxAudioVolume(AudioOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {}

void LinuxAudioVolume::start() {
    if (started_) return;
    started_ = true;
    deadline_ = std::chrono::steady_clock::now() + options_.startWait;
    if (options_.pulse) {
        pulse_ =
            std::make_unique<PulseAudioBackend>([this] { postChange(); }, options_.pulseLibrary);
    }
}

LinuxAudioVolume::~LinuxAudioVolume() {
    // The back ends stop first, so no change is posted to a half-destroyed object.
    pulse_.reset();
    backend_.reset();
}

void LinuxAudioVolume::settle() {
    if (settled_) return;
    start();
    settled_ = true;
    if (pulse_) {
        switch (pulse_->waitForStart(deadline_)) {
            case PulseAudioBackend::Start::Ready:
                backend_ = std::move(pulse_);
                qCInfo(lcAudio).noquote() << "sound system:" << backend_->description().c_str();
                break;
            case PulseAudioBackend::Start::Pending:
                backend_ = std::move(pulse_);
                qCInfo(lcAudio) << "sound system: a PulseAudio server that has not answered yet;"
                                   " its devices come when it does";
                break;
            case PulseAudioBackend::Start::Failed:
                pulse_.reset();
                break;
        }
    }
    if (!backend_) {
        backend_ = std::make_unique<AlsaMixerBackend>(
            options_.mixers, [this] { postChange(); }, options_.alsaLibrary);
        qCInfo(lcAudio).noquote() << (options_.pulse ? "sound system: no sound server answers;"
                                                     : "sound system:")
                                  << backend_->description().c_str();
    }
    state_ = backend_->snapshot();
}

LinuxAudioVolume& LinuxAudioVolume::settled() const {
    auto& self = const_cast<LinuxAudioVolume&>(*this);
    self.settle();
    return self;
}

void LinuxAudioVolume::postChange() {
    if (changePosted_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this, [this] { applyChange(); }, Qt::QueuedConnection);
}

void LinuxAudioVolume::applyChange() {
    changePosted_ = false;
    if (!settled_) {
        settle();  // takes the first snapshot, which is no change
        return;
    }
    const AudioSnapshot before = std::exchange(state_, backend_->snapshot());
    std::vector<std::string> removed, added;
    for (const EndpointState& d : before.devices) {
        if (!in(state_, d.info.DeviceId)) removed.push_back(d.info.DeviceId);
    }
    for (const EndpointState& d : state_.devices) {
        if (!in(before, d.info.DeviceId)) added.push_back(d.info.DeviceId);
    }

    // The selected device: gone, renamed, or its volume or mute state changed.
    const EndpointState* now = in(state_, selected_.DeviceId);
    const EndpointState* was = in(before, selected_.DeviceId);
    std::optional<EndpointState> volumeEvent;
    bool byMyAction = false;
    if (!now && !selected_.DeviceId.empty()) {
        selected_ = {};
        myVolume_.reset();
        myMute_.reset();
    } else if (now) {
        selected_.DeviceName = now->info.DeviceName;
        const bool volumeChanged = was && was->volume != now->volume;
        const bool muteChanged = was && was->muted != now->muted;
        const auto fresh = std::chrono::steady_clock::now() - kOwnChangeLife;
        if (myVolume_ && myVolumeAt_ < fresh) myVolume_.reset();
        if (myMute_ && myMuteAt_ < fresh) myMute_.reset();
        if (volumeChanged && myVolume_ && std::fabs(now->volume - *myVolume_) < kSameVolume) {
            byMyAction = true;
            myVolume_.reset();
        }
        if (muteChanged && myMute_ && now->muted == *myMute_) {
            byMyAction = true;
            myMute_.reset();
        }
        if (volumeChanged || muteChanged) volumeEvent = *now;
    }

    for (const std::string& id : removed) raiseDeviceState(id, kDeviceRemoved);
    for (const std::string& id : added) raiseDeviceState(id, kDeviceAdded);
    if (before.defaultId != state_.defaultId) raiseDefaultDevice(DefaultAudioDevice());
    if (volumeEvent) raiseMasterVolume(byMyAction, volumeEvent->volume, volumeEvent->muted);
}

bool LinuxAudioVolume::Ready() const {
    return settled().state_.ready;
}

std::string LinuxAudioVolume::missingLibraries() const {
    const LinuxAudioVolume& self = settled();
    if (self.state_.ready) return {};
    std::string missing;
    auto add = [&](const std::string& file) { missing += (missing.empty() ? "" : ", ") + file; };
    // Both were loaded (or not) by the start; these calls only ask for the answer kept then.
    if (options_.pulse && !PulseLibrary::load(options_.pulseLibrary)) add(options_.pulseLibrary);
    if (self.backend_->isMixer() && !AlsaLibrary::load(options_.alsaLibrary)) {
        add(options_.alsaLibrary);
    }
    return missing;
}

bool LinuxAudioVolume::WindowXPMode() const {
    return settled().backend_->isMixer();
}

std::vector<TDeviceInfo> LinuxAudioVolume::devices() const {
    std::vector<TDeviceInfo> out;
    for (const EndpointState& d : settled().state_.devices) out.push_back(d.info);
    return out;
}

TDeviceInfo LinuxAudioVolume::DefaultAudioDevice() const {
    const std::string& id = settled().state_.defaultId;
    if (id.empty()) return {};
    if (const EndpointState* d = in(state_, id)) return d->info;
    return {"", id};
}

TDeviceInfo LinuxAudioVolume::SelectedDevice() const {
    return settled().selected_;
}

bool LinuxAudioVolume::SelectAudioDevice(size_t index) {
    settle();
    if (index >= state_.devices.size()) return false;
    const TDeviceInfo& device = state_.devices[index].info;
    if (device.DeviceId == selected_.DeviceId) return false;
    selected_ = device;
    myVolume_.reset();
    myMute_.reset();
    return true;
}

float LinuxAudioVolume::GetMasterVolume() const {
    const LinuxAudioVolume& self = settled();
    const EndpointState* d = in(self.state_, self.selected_.DeviceId);
    if (!d) return 0.0f;
    // A change of ours on its way counts already, so quick steps add up.
    if (myVolume_ && myVolumeAt_ + kOwnChangeLife > std::chrono::steady_clock::now()) {
        return *myVolume_;
    }
    return d->volume;
}

bool LinuxAudioVolume::SetMasterVolume(float value) {
    settle();
    if (!std::isfinite(value) || value < 0.0f || value > 1.0f) return false;
    if (!state_.ready || !in(state_, selected_.DeviceId)) return false;
    if (!backend_->setVolume(selected_.DeviceId, value)) return false;
    myVolume_ = value;
    myVolumeAt_ = std::chrono::steady_clock::now();
    return true;
}

bool LinuxAudioVolume::IsMasterMuted() const {
    const LinuxAudioVolume& self = settled();
    const EndpointState* d = in(self.state_, self.selected_.DeviceId);
    if (!d) return false;
    if (myMute_ && myMuteAt_ + kOwnChangeLife > std::chrono::steady_clock::now()) return *myMute_;
    return d->muted;
}

bool LinuxAudioVolume::SetMasterMute(bool value) {
    settle();
    if (!state_.ready || !in(state_, selected_.DeviceId)) return false;
    if (IsMasterMuted() == value) return true;
    if (!backend_->setMute(selected_.DeviceId, value)) return false;
    myMute_ = value;
    myMuteAt_ = std::chrono::steady_clock::now();
    return true;
}

std::string LinuxAudioVolume::backendDescription() const {
    return settled().backend_->description();
}

}  // namespace vorbix
