#include "platform/linux/PulseAudioBackend.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/linux/AudioLog.h"
#include "platform/linux/PulseLibrary.h"

namespace vorbix {

namespace {

// Pauses between connection attempts after the server went away: short at first, so a restarted
// server is found again at once, then longer, so a server that stays away costs little.
constexpr std::chrono::milliseconds kFirstRetry{100};
constexpr std::chrono::milliseconds kLongestRetry{3000};

struct Sink {
    uint32_t index = 0;
    std::string name, description;
    pa_cvolume volume{};
    bool muted = false;
};

float scalarOf(const PulseLibrary& pa, const pa_cvolume& volume) {
    const double ratio = static_cast<double>(pa.cvolume_max(&volume)) / PA_VOLUME_NORM;
    return static_cast<float>(std::min(ratio, 1.0));
}

// Locks the main loop for the calling thread (never the main loop's own).
class LoopLock {
public:
    LoopLock(const PulseLibrary& pa, pa_threaded_mainloop* loop) : pa_(pa), loop_(loop) {
        pa_.threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_.threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    const PulseLibrary& pa_;
    pa_threaded_mainloop* loop_;
};

}  // namespace

// Everything below the main loop's lock, touched by the server thread in its callbacks and by
// the interface thread while it holds the lock.
struct PulseAudioBackend::State {
    explicit State(const PulseLibrary& library) : pa(library) {}
    const PulseLibrary& pa;  // every member null when libpulse cannot be loaded (no loop then)
    Changed changed;
    pa_threaded_mainloop* loop = nullptr;
    pa_mainloop_api* api = nullptr;
    pa_context* context = nullptr;
    pa_time_event* retry = nullptr;
    std::chrono::milliseconds nextRetry = kFirstRetry;
    int initialAnswers = 0;  // answers still missing before a new connection is ready

    bool ready = false;
    std::vector<Sink> sinks;  // in index order, the server's order
    std::string defaultSink;
    std::string server;

    // The start, for the interface thread's bounded wait.
    std::mutex startMutex;
    std::condition_variable startChanged;
    Start start = Start::Pending;

    void setStart(Start value) {
        {
            std::lock_guard lock(startMutex);
            if (start == Start::Ready && value == Start::Failed) return;
            start = value;
        }
        startChanged.notify_all();
    }

    Sink* sinkByIndex(uint32_t index) {
        auto it = std::find_if(sinks.begin(), sinks.end(),
                               [&](const Sink& s) { return s.index == index; });
        return it == sinks.end() ? nullptr : &*it;
    }
    const Sink* sinkByName(const std::string& name) const {
        auto it =
            std::find_if(sinks.begin(), sinks.end(), [&](const Sink& s) { return s.name == name; });
        return it == sinks.end() ? nullptr : &*it;
    }
    bool connected() const {
        return ready && context && pa.context_get_state(context) == PA_CONTEXT_READY;
    }

    void connect();
    void dropContext();
    void lost();
    void storeSink(const pa_sink_info& info);
    void initialAnswer();

    static void onState(pa_context* c, void* self);
    static void onEvent(pa_context* c, pa_subscription_event_type_t type, uint32_t index,
                        void* self);
    static void onServerInfo(pa_context* c, const pa_server_info* info, void* self);
    static void onSinkInfo(pa_context* c, const pa_sink_info* info, int eol, void* self);
    static void onInitialServerInfo(pa_context* c, const pa_server_info* info, void* self);
    static void onInitialSinkInfo(pa_context* c, const pa_sink_info* info, int eol, void* self);
    static void onRetry(pa_mainloop_api* api, pa_time_event* e, const struct timeval*, void* self);
    static void onWritten(pa_context* c, int success, void* self);
};

void PulseAudioBackend::State::connect() {
    pa_proplist* properties = pa.proplist_new();
    pa.proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Vorbix");
    pa.proplist_sets(properties, PA_PROP_APPLICATION_ID, "vorbix");
    context = pa.context_new_with_proplist(api, "Vorbix", properties);
    pa.proplist_free(properties);
    if (!context) {
        lost();
        return;
    }
    pa.context_set_state_callback(context, &State::onState, this);
    pa.context_set_subscribe_callback(context, &State::onEvent, this);
    // Never start a server: a desktop without one keeps it that way.
    if (pa.context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) lost();
}

void PulseAudioBackend::State::dropContext() {
    if (!context) return;
    pa.context_set_state_callback(context, nullptr, nullptr);
    pa.context_set_subscribe_callback(context, nullptr, nullptr);
    pa.context_disconnect(context);
    pa.context_unref(context);
    context = nullptr;
}

// The connection failed or ended: the devices are gone until a later attempt succeeds.
void PulseAudioBackend::State::lost() {
    const bool wasReady = ready;
    ready = false;
    sinks.clear();
    defaultSink.clear();
    initialAnswers = 0;
    setStart(Start::Failed);
    if (wasReady) {
        qCInfo(lcAudio) << "the PulseAudio server went away; waiting for it to come back";
        nextRetry = kFirstRetry;
        changed();
    }
    if (retry) return;
    // The context is released from the timer, never inside its own callback.
    struct timeval when;
    pa.timeval_add(pa.gettimeofday(&when),
                   std::chrono::duration_cast<std::chrono::microseconds>(nextRetry).count());
    retry = api->time_new(api, &when, &State::onRetry, this);
    nextRetry = std::min(nextRetry * 2, kLongestRetry);
}

void PulseAudioBackend::State::onRetry(pa_mainloop_api* api, pa_time_event* e,
                                       const struct timeval*, void* self) {
    auto* s = static_cast<State*>(self);
    api->time_free(e);
    s->retry = nullptr;
    s->dropContext();
    s->connect();
}

void PulseAudioBackend::State::onState(pa_context* c, void* self) {
    auto* s = static_cast<State*>(self);
    const PulseLibrary& pa = s->pa;
    switch (pa.context_get_state(c)) {
        case PA_CONTEXT_READY: {
            s->initialAnswers = 2;
            pa_operation* o =
                pa.context_subscribe(c,
                                     static_cast<pa_subscription_mask_t>(
                                         PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
                                     nullptr, nullptr);
            if (o) pa.operation_unref(o);
            if ((o = pa.context_get_server_info(c, &State::onInitialServerInfo, s))) {
                pa.operation_unref(o);
            }
            if ((o = pa.context_get_sink_info_list(c, &State::onInitialSinkInfo, s))) {
                pa.operation_unref(o);
            }
            break;
        }
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            s->lost();
            break;
        default:
            break;
    }
}

void PulseAudioBackend::State::storeSink(const pa_sink_info& info) {
    Sink* sink = sinkByIndex(info.index);
    if (!sink) {
        auto at = std::find_if(sinks.begin(), sinks.end(),
                               [&](const Sink& s) { return s.index > info.index; });
        sink = &*sinks.insert(at, Sink{info.index, {}, {}, {}, false});
    }
    sink->name = info.name ? info.name : "";
    sink->description = info.description ? info.description : sink->name;
    sink->volume = info.volume;
    sink->muted = info.mute != 0;
}

void PulseAudioBackend::State::initialAnswer() {
    if (initialAnswers == 0 || --initialAnswers > 0) return;
    ready = true;
    nextRetry = kFirstRetry;
    setStart(Start::Ready);
    changed();
}

void PulseAudioBackend::State::onInitialServerInfo(pa_context*, const pa_server_info* info,
                                                   void* self) {
    auto* s = static_cast<State*>(self);
    if (info) {
        s->defaultSink = info->default_sink_name ? info->default_sink_name : "";
        s->server = std::string("PulseAudio server ") +
                    (info->server_name ? info->server_name : "") + " " +
                    (info->server_version ? info->server_version : "");
    }
    s->initialAnswer();
}

void PulseAudioBackend::State::onInitialSinkInfo(pa_context*, const pa_sink_info* info, int eol,
                                                 void* self) {
    auto* s = static_cast<State*>(self);
    if (info) s->storeSink(*info);
    if (eol != 0) s->initialAnswer();
}

void PulseAudioBackend::State::onServerInfo(pa_context*, const pa_server_info* info, void* self) {
    auto* s = static_cast<State*>(self);
    if (!info) return;
    const std::string sink = info->default_sink_name ? info->default_sink_name : "";
    if (sink == s->defaultSink) return;
    s->defaultSink = sink;
    if (s->ready) s->changed();
}

void PulseAudioBackend::State::onSinkInfo(pa_context*, const pa_sink_info* info, int eol,
                                          void* self) {
    auto* s = static_cast<State*>(self);
    if (info) s->storeSink(*info);
    if (eol != 0 && s->ready) s->changed();
}

void PulseAudioBackend::State::onEvent(pa_context* c, pa_subscription_event_type_t type,
                                       uint32_t index, void* self) {
    auto* s = static_cast<State*>(self);
    const PulseLibrary& pa = s->pa;
    const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const auto kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    pa_operation* o = nullptr;
    if (facility == PA_SUBSCRIPTION_EVENT_SINK) {
        if (kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
            std::erase_if(s->sinks, [&](const Sink& sink) { return sink.index == index; });
            if (s->ready) s->changed();
        } else {
            o = pa.context_get_sink_info_by_index(c, index, &State::onSinkInfo, s);
        }
    } else if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        o = pa.context_get_server_info(c, &State::onServerInfo, s);
    }
    if (o) pa.operation_unref(o);
}

void PulseAudioBackend::State::onWritten(pa_context* c, int success, void* self) {
    const PulseLibrary& pa = static_cast<State*>(self)->pa;
    if (!success) {
        qCWarning(lcAudio) << "the PulseAudio server refused a change:"
                           << pa.strerror(pa.context_errno(c));
    }
}

PulseAudioBackend::PulseAudioBackend(Changed changed, const std::string& library) {
    std::string error;
    const PulseLibrary* loaded = PulseLibrary::load(library, &error);
    static const PulseLibrary none;
    s_ = std::make_unique<State>(loaded ? *loaded : none);
    s_->changed = std::move(changed);
    if (!loaded) {
        qCInfo(lcAudio).noquote() << "libpulse cannot be loaded:" << error.c_str();
        s_->setStart(Start::Failed);
        return;
    }
    const PulseLibrary& pa = s_->pa;
    s_->loop = pa.threaded_mainloop_new();
    if (!s_->loop) {
        s_->setStart(Start::Failed);
        return;
    }
    s_->api = pa.threaded_mainloop_get_api(s_->loop);
    pa.threaded_mainloop_set_name(s_->loop, "vorbix-pulse");
    if (pa.threaded_mainloop_start(s_->loop) < 0) {
        pa.threaded_mainloop_free(s_->loop);
        s_->loop = nullptr;
        s_->setStart(Start::Failed);
        return;
    }
    // The connection is made on the server thread, so the interface thread goes on meanwhile.
    LoopLock lock(pa, s_->loop);
    pa.mainloop_api_once(
        s_->api, [](pa_mainloop_api*, void* self) { static_cast<State*>(self)->connect(); },
        s_.get());
}

PulseAudioBackend::~PulseAudioBackend() {
    if (!s_->loop) return;
    const PulseLibrary& pa = s_->pa;
    {
        LoopLock lock(pa, s_->loop);
        if (s_->retry) s_->api->time_free(s_->retry);
        s_->retry = nullptr;
        s_->dropContext();
    }
    pa.threaded_mainloop_stop(s_->loop);
    pa.threaded_mainloop_free(s_->loop);
}

PulseAudioBackend::Start PulseAudioBackend::waitForStart(
    std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(s_->startMutex);
    s_->startChanged.wait_until(lock, deadline, [&] { return s_->start != Start::Pending; });
    return s_->start;
}

std::string PulseAudioBackend::description() const {
    if (!s_->loop) return "PulseAudio (no main loop)";
    LoopLock lock(s_->pa, s_->loop);
    return s_->server.empty() ? std::string("PulseAudio server") : s_->server;
}

AudioSnapshot PulseAudioBackend::snapshot() const {
    AudioSnapshot out;
    if (!s_->loop) return out;
    const PulseLibrary& pa = s_->pa;
    LoopLock lock(pa, s_->loop);
    out.ready = s_->ready;
    out.defaultId = s_->defaultSink;
    for (const Sink& sink : s_->sinks) {
        out.devices.push_back(
            {{sink.description, sink.name}, scalarOf(pa, sink.volume), sink.muted});
    }
    return out;
}

bool PulseAudioBackend::setVolume(const std::string& id, float volume) {
    if (!s_->loop || !std::isfinite(volume) || volume < 0.0f || volume > 1.0f) return false;
    const PulseLibrary& pa = s_->pa;
    LoopLock lock(pa, s_->loop);
    const Sink* sink = s_->sinkByName(id);
    if (!s_->connected() || !sink) return false;
    pa_cvolume target = sink->volume;
    const auto loudest = static_cast<pa_volume_t>(std::lround(volume * PA_VOLUME_NORM));
    if (!pa.cvolume_valid(&target)) return false;
    // Scaling keeps the channels' proportions; a silent device has none, so all get the same.
    if (pa.cvolume_max(&target) == PA_VOLUME_MUTED) {
        pa.cvolume_set(&target, target.channels, loudest);
    } else {
        pa.cvolume_scale(&target, loudest);
    }
    pa_operation* o = pa.context_set_sink_volume_by_index(s_->context, sink->index, &target,
                                                          &State::onWritten, s_.get());
    if (!o) return false;
    pa.operation_unref(o);
    return true;
}

bool PulseAudioBackend::setMute(const std::string& id, bool muted) {
    if (!s_->loop) return false;
    const PulseLibrary& pa = s_->pa;
    LoopLock lock(pa, s_->loop);
    const Sink* sink = s_->sinkByName(id);
    if (!s_->connected() || !sink) return false;
    pa_operation* o = pa.context_set_sink_mute_by_index(s_->context, sink->index, muted ? 1 : 0,
                                                        &State::onWritten, s_.get());
    if (!o) return false;
    pa.operation_unref(o);
    return true;
}

}  // namespace vorbix
