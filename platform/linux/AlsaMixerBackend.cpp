#include "platform/linux/AlsaMixerBackend.h"

#include <poll.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cmath>

#include "platform/linux/AlsaLibrary.h"
#include "platform/linux/AudioLog.h"

namespace vorbix {

namespace {

// The lines that stand for a card's outputs, in this order; a card without any of them offers
// "PCM", else its first line with a playback volume and switch.
constexpr const char* kOutputLines[] = {"Master", "Speaker", "Headphone", "IEC958"};
constexpr const char* kFallbackLine = "PCM";

bool isPlaybackLine(const AlsaLibrary& snd, snd_mixer_elem_t* elem) {
    return snd.mixer_selem_is_active(elem) && snd.mixer_selem_has_playback_volume(elem) &&
           snd.mixer_selem_has_playback_switch(elem);
}

std::vector<snd_mixer_selem_channel_id_t> channelsOf(const AlsaLibrary& snd,
                                                     snd_mixer_elem_t* elem) {
    std::vector<snd_mixer_selem_channel_id_t> out;
    for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
        const auto channel = static_cast<snd_mixer_selem_channel_id_t>(c);
        if (snd.mixer_selem_has_playback_channel(elem, channel)) out.push_back(channel);
    }
    return out;
}

// A card's information record, of the size the loaded library asks for.
class CardInfo {
public:
    explicit CardInfo(const AlsaLibrary& snd) : bytes_(snd.ctl_card_info_sizeof(), 0) {}
    operator snd_ctl_card_info_t*() {
        return reinterpret_cast<snd_ctl_card_info_t*>(bytes_.data());
    }

private:
    std::vector<unsigned char> bytes_;
};

// The library whose functions the mixers' callbacks call; all mixers are used on the interface
// thread, and every back end loads the same library.
const AlsaLibrary* callbackLibrary = nullptr;

// The card's name as the control interface gives it; the device's own name otherwise.
std::string cardNameOf(const AlsaLibrary& snd, const std::string& device) {
    snd_ctl_t* ctl = nullptr;
    if (snd.ctl_open(&ctl, device.c_str(), SND_CTL_NONBLOCK) < 0) return device;
    CardInfo info(snd);
    std::string name = device;
    if (snd.ctl_card_info(ctl, info) >= 0 && snd.ctl_card_info_get_name(info)[0]) {
        name = snd.ctl_card_info_get_name(info);
    }
    snd.ctl_close(ctl);
    return name;
}

// Every sound card, named by its stable id ("hw:CARD=PCH") so the ids survive a new card order.
std::vector<std::string> cardDevices(const AlsaLibrary& snd) {
    std::vector<std::string> out;
    int card = -1;
    while (snd.card_next(&card) == 0 && card >= 0) {
        const std::string numbered = "hw:" + std::to_string(card);
        snd_ctl_t* ctl = nullptr;
        std::string device = numbered;
        if (snd.ctl_open(&ctl, numbered.c_str(), SND_CTL_NONBLOCK) >= 0) {
            CardInfo info(snd);
            if (snd.ctl_card_info(ctl, info) >= 0 && snd.ctl_card_info_get_id(info)[0]) {
                device = std::string("hw:CARD=") + snd.ctl_card_info_get_id(info);
            }
            snd.ctl_close(ctl);
        }
        out.push_back(device);
    }
    return out;
}

}  // namespace

struct AlsaMixerBackend::State {
    struct Line {
        snd_mixer_elem_t* elem = nullptr;
        TDeviceInfo info;
    };
    struct Mixer {
        std::string device, cardName;
        snd_mixer_t* handle = nullptr;
        std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
        std::vector<Line> lines;  // in the order of kOutputLines
    };

    explicit State(const AlsaLibrary& library) : snd(library) {}
    const AlsaLibrary& snd;  // every member null when alsa-lib cannot be loaded (no mixers then)
    Changed changed;
    bool allCards = true;
    std::string libraryError;                    // why alsa-lib could not be loaded
    std::vector<std::unique_ptr<Mixer>> mixers;  // in card order

    void open(const std::string& device);
    // Closes a mixer whose card went away.
    void close(Mixer* mixer);
    void scanLines(Mixer& mixer);
    void handleEvents(Mixer* mixer);
    const Line* line(const std::string& id) const {
        for (const auto& m : mixers) {
            for (const Line& l : m->lines) {
                if (l.info.DeviceId == id) return &l;
            }
        }
        return nullptr;
    }

    static int onElement(snd_mixer_elem_t* elem, unsigned int mask);
    static int onMixer(snd_mixer_t* mixer, unsigned int mask, snd_mixer_elem_t* elem);
};

void AlsaMixerBackend::State::open(const std::string& device) {
    auto mixer = std::make_unique<Mixer>();
    mixer->device = device;
    snd_mixer_t* h = nullptr;
    if (snd.mixer_open(&h, 0) < 0) return;
    if (snd.mixer_attach(h, device.c_str()) < 0 ||
        snd.mixer_selem_register(h, nullptr, nullptr) < 0 || snd.mixer_load(h) < 0) {
        qCWarning(lcAudio) << "the ALSA mixer" << device.c_str() << "cannot be opened";
        snd.mixer_close(h);
        return;
    }
    mixer->handle = h;
    mixer->cardName = cardNameOf(snd, device);
    snd.mixer_set_callback(h, &State::onMixer);
    snd.mixer_set_callback_private(h, this);

    const int count = snd.mixer_poll_descriptors_count(h);
    std::vector<pollfd> fds(std::max(count, 0));
    const int filled = count > 0 ? snd.mixer_poll_descriptors(h, fds.data(), count) : 0;
    Mixer* raw = mixer.get();
    for (int i = 0; i < filled; ++i) {
        auto notifier = std::make_unique<QSocketNotifier>(fds[i].fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                         [this, raw] { handleEvents(raw); });
        mixer->notifiers.push_back(std::move(notifier));
    }
    scanLines(*raw);
    mixers.push_back(std::move(mixer));
}

void AlsaMixerBackend::State::close(Mixer* mixer) {
    // A notifier may be the one whose signal runs now: it goes when the event loop is back.
    for (auto& n : mixer->notifiers) {
        n->setEnabled(false);
        n.release()->deleteLater();
    }
    mixer->notifiers.clear();
    if (mixer->handle) snd.mixer_close(mixer->handle);
    mixer->handle = nullptr;
    std::erase_if(mixers, [&](const std::unique_ptr<Mixer>& m) { return m.get() == mixer; });
}

void AlsaMixerBackend::State::scanLines(Mixer& mixer) {
    std::vector<Line> found;
    auto add = [&](snd_mixer_elem_t* elem) {
        const std::string name = snd.mixer_selem_get_name(elem);
        const unsigned index = snd.mixer_selem_get_index(elem);
        std::string id = mixer.device + "/" + name;
        if (index > 0) id += "," + std::to_string(index);
        found.push_back({elem, {mixer.cardName + ": " + name, id}});
    };
    auto each = [&](auto&& f) {
        for (snd_mixer_elem_t* e = snd.mixer_first_elem(mixer.handle); e;
             e = snd.mixer_elem_next(e)) {
            f(e);
        }
    };
    auto addNamed = [&](std::string_view wanted) {
        each([&](snd_mixer_elem_t* e) {
            if (isPlaybackLine(snd, e) && snd.mixer_selem_get_name(e) == wanted) add(e);
        });
    };
    for (const char* wanted : kOutputLines) addNamed(wanted);
    if (found.empty()) addNamed(kFallbackLine);
    each([&](snd_mixer_elem_t* e) {
        if (found.empty() && isPlaybackLine(snd, e)) add(e);
        snd.mixer_elem_set_callback(e, &State::onElement);
        snd.mixer_elem_set_callback_private(e, this);
    });
    mixer.lines = std::move(found);
}

void AlsaMixerBackend::State::handleEvents(Mixer* mixer) {
    if (!mixer->handle) return;
    const int count = snd.mixer_poll_descriptors_count(mixer->handle);
    if (count <= 0) return;
    std::vector<pollfd> fds(count);
    snd.mixer_poll_descriptors(mixer->handle, fds.data(), count);
    ::poll(fds.data(), fds.size(), 0);
    unsigned short revents = 0;
    snd.mixer_poll_descriptors_revents(mixer->handle, fds.data(), count, &revents);
    if (revents & (POLLERR | POLLNVAL | POLLHUP)) {
        // The card went away.
        qCInfo(lcAudio) << "the ALSA mixer" << mixer->device.c_str() << "went away";
        close(mixer);
        changed();
        return;
    }
    if (revents & POLLIN) snd.mixer_handle_events(mixer->handle);
}

int AlsaMixerBackend::State::onElement(snd_mixer_elem_t* elem, unsigned int mask) {
    auto* s = static_cast<State*>(callbackLibrary->mixer_elem_get_callback_private(elem));
    if (mask == SND_CTL_EVENT_MASK_REMOVE) {
        for (auto& m : s->mixers) {
            if (std::erase_if(m->lines, [&](const Line& l) { return l.elem == elem; }) > 0) {
                s->changed();
            }
        }
        return 0;
    }
    if (mask & (SND_CTL_EVENT_MASK_VALUE | SND_CTL_EVENT_MASK_INFO)) s->changed();
    return 0;
}

int AlsaMixerBackend::State::onMixer(snd_mixer_t* handle, unsigned int mask, snd_mixer_elem_t*) {
    auto* s = static_cast<State*>(callbackLibrary->mixer_get_callback_private(handle));
    if (!(mask & SND_CTL_EVENT_MASK_ADD)) return 0;
    for (auto& m : s->mixers) {
        if (m->handle == handle) {
            s->scanLines(*m);
            s->changed();
        }
    }
    return 0;
}

AlsaMixerBackend::AlsaMixerBackend(std::vector<std::string> mixers, Changed changed,
                                   const std::string& library) {
    std::string error;
    const AlsaLibrary* loaded = AlsaLibrary::load(library, &error);
    static const AlsaLibrary none;
    s_ = std::make_unique<State>(loaded ? *loaded : none);
    s_->changed = std::move(changed);
    s_->allCards = mixers.empty();
    if (!loaded) {
        s_->libraryError = error;
        qCInfo(lcAudio).noquote() << "alsa-lib cannot be loaded:" << error.c_str();
        return;
    }
    callbackLibrary = loaded;
    const AlsaLibrary& snd = *loaded;
    if (mixers.empty()) mixers = cardDevices(snd);
    for (const std::string& device : mixers) s_->open(device);
}

AlsaMixerBackend::~AlsaMixerBackend() {
    for (auto& m : s_->mixers) {
        m->notifiers.clear();
        s_->snd.mixer_close(m->handle);
    }
}

std::string AlsaMixerBackend::description() const {
    if (!s_->libraryError.empty()) return "no ALSA mixers (alsa-lib cannot be loaded)";
    if (!s_->allCards) {
        std::string names;
        for (const auto& m : s_->mixers) names += (names.empty() ? "" : ", ") + m->device;
        return "ALSA mixer " + (names.empty() ? std::string("(none opened)") : names);
    }
    return "ALSA mixers of " + std::to_string(s_->mixers.size()) + " sound card" +
           (s_->mixers.size() == 1 ? "" : "s");
}

AudioSnapshot AlsaMixerBackend::snapshot() const {
    const AlsaLibrary& snd = s_->snd;
    AudioSnapshot out;
    out.ready = !s_->mixers.empty();
    for (const auto& m : s_->mixers) {
        for (const State::Line& l : m->lines) {
            long min = 0, max = 0;
            snd.mixer_selem_get_playback_volume_range(l.elem, &min, &max);
            long loudest = min;
            bool anyOn = false;
            for (auto channel : channelsOf(snd, l.elem)) {
                long value = min;
                if (snd.mixer_selem_get_playback_volume(l.elem, channel, &value) >= 0) {
                    loudest = std::max(loudest, value);
                }
                int on = 1;
                if (snd.mixer_selem_get_playback_switch(l.elem, channel, &on) >= 0 && on)
                    anyOn = true;
            }
            const float volume =
                max > min
                    ? std::clamp(static_cast<float>(loudest - min) / static_cast<float>(max - min),
                                 0.0f, 1.0f)
                    : 0.0f;
            out.devices.push_back({l.info, volume, !anyOn});
        }
    }
    if (!out.devices.empty()) out.defaultId = out.devices.front().info.DeviceId;
    return out;
}

bool AlsaMixerBackend::setVolume(const std::string& id, float volume) {
    const AlsaLibrary& snd = s_->snd;
    const State::Line* l = s_->line(id);
    if (!l || !std::isfinite(volume) || volume < 0.0f || volume > 1.0f) return false;
    long min = 0, max = 0;
    if (snd.mixer_selem_get_playback_volume_range(l->elem, &min, &max) < 0 || max <= min)
        return false;
    const auto channels = channelsOf(snd, l->elem);
    std::vector<long> values;
    long loudest = min;
    for (auto channel : channels) {
        long value = min;
        snd.mixer_selem_get_playback_volume(l->elem, channel, &value);
        values.push_back(value);
        loudest = std::max(loudest, value);
    }
    const long target =
        min + std::lround(static_cast<double>(volume) * static_cast<double>(max - min));
    bool ok = !channels.empty();
    for (size_t i = 0; i < channels.size(); ++i) {
        // The balance stays: every channel moves in proportion to the loudest one.
        const long value = loudest > min ? min + std::lround(static_cast<double>(values[i] - min) *
                                                             static_cast<double>(target - min) /
                                                             static_cast<double>(loudest - min))
                                         : target;
        if (snd.mixer_selem_set_playback_volume(l->elem, channels[i], value) < 0) ok = false;
    }
    // Not every mixer tells the writer about its own change (the pulse plugin does not).
    s_->changed();
    return ok;
}

bool AlsaMixerBackend::setMute(const std::string& id, bool muted) {
    const AlsaLibrary& snd = s_->snd;
    const State::Line* l = s_->line(id);
    if (!l || snd.mixer_selem_set_playback_switch_all(l->elem, muted ? 0 : 1) < 0) return false;
    s_->changed();
    return true;
}

}  // namespace vorbix
