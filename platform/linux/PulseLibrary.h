// The functions of libpulse that the PulseAudio back end calls, resolved when the back end first
// starts; the program itself does not link libpulse. Each member bears the name of the function
// without its "pa_" prefix: `pa.context_new(...)` calls pa_context_new.
#pragma once

#include <pulse/pulseaudio.h>

#include <string>

#include "platform/linux/SharedLibrary.h"

namespace vorbix {

// clang-format off
#define VORBIX_PULSE_FUNCTIONS(F) \
    F(context_connect) \
    F(context_disconnect) \
    F(context_errno) \
    F(context_get_server_info) \
    F(context_get_sink_info_by_index) \
    F(context_get_sink_info_list) \
    F(context_get_state) \
    F(context_new_with_proplist) \
    F(context_set_sink_mute_by_index) \
    F(context_set_sink_volume_by_index) \
    F(context_set_state_callback) \
    F(context_set_subscribe_callback) \
    F(context_subscribe) \
    F(context_unref) \
    F(cvolume_max) \
    F(cvolume_scale) \
    F(cvolume_set) \
    F(cvolume_valid) \
    F(gettimeofday) \
    F(mainloop_api_once) \
    F(operation_unref) \
    F(proplist_free) \
    F(proplist_new) \
    F(proplist_sets) \
    F(strerror) \
    F(threaded_mainloop_free) \
    F(threaded_mainloop_get_api) \
    F(threaded_mainloop_lock) \
    F(threaded_mainloop_new) \
    F(threaded_mainloop_set_name) \
    F(threaded_mainloop_start) \
    F(threaded_mainloop_stop) \
    F(threaded_mainloop_unlock) \
    F(timeval_add)
// clang-format on

struct PulseLibrary {
#define VORBIX_PULSE_MEMBER(name) decltype(&::pa_##name) name = nullptr;
    VORBIX_PULSE_FUNCTIONS(VORBIX_PULSE_MEMBER)
#undef VORBIX_PULSE_MEMBER

    bool resolveAll(SharedLibrary& library) {
#define VORBIX_PULSE_RESOLVE(name) library.resolve("pa_" #name, name)&&
        return VORBIX_PULSE_FUNCTIONS(VORBIX_PULSE_RESOLVE) true;
#undef VORBIX_PULSE_RESOLVE
    }

    // libpulse from `file`, loaded once; null (and `error` says why) when it cannot be had.
    static const PulseLibrary* load(const std::string& file, std::string* error = nullptr) {
        return loadFunctionTable<PulseLibrary>(file, error);
    }
};

}  // namespace vorbix
