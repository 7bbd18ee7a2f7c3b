// The functions of alsa-lib that the ALSA mixer back end calls, resolved when the back end first
// starts; the program itself does not link libasound. Each member bears the name of the function
// without its "snd_" prefix: `snd.mixer_open(...)` calls snd_mixer_open.
#pragma once

#include <alsa/asoundlib.h>

#include <string>

#include "platform/linux/SharedLibrary.h"

namespace vorbix {

// clang-format off
#define VORBIX_ALSA_FUNCTIONS(F) \
    F(card_next) \
    F(ctl_card_info) \
    F(ctl_card_info_sizeof) \
    F(ctl_card_info_get_id) \
    F(ctl_card_info_get_name) \
    F(ctl_close) \
    F(ctl_open) \
    F(mixer_attach) \
    F(mixer_close) \
    F(mixer_elem_get_callback_private) \
    F(mixer_elem_next) \
    F(mixer_elem_set_callback) \
    F(mixer_elem_set_callback_private) \
    F(mixer_first_elem) \
    F(mixer_get_callback_private) \
    F(mixer_handle_events) \
    F(mixer_load) \
    F(mixer_open) \
    F(mixer_poll_descriptors) \
    F(mixer_poll_descriptors_count) \
    F(mixer_poll_descriptors_revents) \
    F(mixer_selem_get_index) \
    F(mixer_selem_get_name) \
    F(mixer_selem_get_playback_switch) \
    F(mixer_selem_get_playback_volume) \
    F(mixer_selem_get_playback_volume_range) \
    F(mixer_selem_has_playback_channel) \
    F(mixer_selem_has_playback_switch) \
    F(mixer_selem_has_playback_volume) \
    F(mixer_selem_is_active) \
    F(mixer_selem_register) \
    F(mixer_selem_set_playback_switch_all) \
    F(mixer_selem_set_playback_volume) \
    F(mixer_set_callback) \
    F(mixer_set_callback_private)
// clang-format on

struct AlsaLibrary {
#define VORBIX_ALSA_MEMBER(name) decltype(&::snd_##name) name = nullptr;
    VORBIX_ALSA_FUNCTIONS(VORBIX_ALSA_MEMBER)
#undef VORBIX_ALSA_MEMBER

    bool resolveAll(SharedLibrary& library) {
#define VORBIX_ALSA_RESOLVE(name) library.resolve("snd_" #name, name)&&
        return VORBIX_ALSA_FUNCTIONS(VORBIX_ALSA_RESOLVE) true;
#undef VORBIX_ALSA_RESOLVE
    }

    // alsa-lib from `file`, loaded once; null (and `error` says why) when it cannot be had.
    static const AlsaLibrary* load(const std::string& file, std::string* error = nullptr) {
        return loadFunctionTable<AlsaLibrary>(file, error);
    }
};

}  // namespace vorbix
