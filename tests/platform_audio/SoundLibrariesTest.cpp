// The sound libraries loaded at run time: every function the back ends call is found in the
// installed libraries, and a library or function that is missing is reported, never a crash;
// without the libraries the component answers that no sound system is there.
#include <gtest/gtest.h>

#include <cstring>

#include "core/VolumeAction.h"
#include "platform/linux/AlsaLibrary.h"
#include "platform/linux/LinuxAudioVolume.h"
#include "platform/linux/PulseLibrary.h"
#include "platform/linux/SharedLibrary.h"

namespace vorbix {
namespace {

constexpr const char* kMissingFile = "libvorbix-no-such-library.so.0";

TEST(SoundLibraries, TheInstalledLibrariesHaveEveryFunction) {
    std::string error = "unset";
    const PulseLibrary* pulse = PulseLibrary::load(kPulseLibraryFile, &error);
    ASSERT_NE(pulse, nullptr) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(PulseLibrary::load(kPulseLibraryFile), pulse);  // loaded once
    const AlsaLibrary* alsa = AlsaLibrary::load(kAlsaLibraryFile, &error);
    ASSERT_NE(alsa, nullptr) << error;
    EXPECT_EQ(AlsaLibrary::load(kAlsaLibraryFile), alsa);
    EXPECT_GT(alsa->ctl_card_info_sizeof(), 0u);
    EXPECT_STREQ(pulse->strerror(0), "OK");
}

TEST(SoundLibraries, WhatIsMissingIsNamed) {
    {
        SharedLibrary missing(kMissingFile);
        EXPECT_FALSE(missing.loaded());
        EXPECT_NE(missing.error().find(kMissingFile), std::string::npos) << missing.error();
        int (*function)() = nullptr;
        EXPECT_FALSE(missing.resolve("anything", function));
        EXPECT_EQ(function, nullptr);
    }
    SharedLibrary libc("libc.so.6");
    ASSERT_TRUE(libc.loaded()) << libc.error();
    decltype(&std::strlen) length = nullptr;
    ASSERT_TRUE(libc.resolve("strlen", length));
    EXPECT_EQ(length("four"), 4u);
    EXPECT_EQ(libc.error(), "");
    void (*none)() = nullptr;
    EXPECT_FALSE(libc.resolve("vorbix_no_such_function", none));
    EXPECT_NE(libc.error().find("vorbix_no_such_function"), std::string::npos) << libc.error();

    // A table whose library is missing is null, with the same reason on every call.
    for (int call = 0; call < 2; ++call) {
        std::string pulseError, alsaError;
        EXPECT_EQ(PulseLibrary::load(kMissingFile, &pulseError), nullptr);
        EXPECT_EQ(AlsaLibrary::load(kMissingFile, &alsaError), nullptr);
        EXPECT_NE(pulseError.find(kMissingFile), std::string::npos) << pulseError;
        EXPECT_EQ(alsaError, pulseError);
    }
    // A library that lacks one of the functions counts as missing.
    std::string error;
    EXPECT_EQ(PulseLibrary::load("libc.so.6", &error), nullptr);
    EXPECT_NE(error.find("has no function pa_"), std::string::npos) << error;
}

TEST(SoundLibraries, WithoutThemVolumeRowsFailCleanly) {
    AudioOptions options;
    options.pulseLibrary = kMissingFile;
    options.alsaLibrary = kMissingFile;
    LinuxAudioVolume audio(options);
    EXPECT_FALSE(audio.started());
    EXPECT_FALSE(audio.Ready());
    EXPECT_TRUE(audio.started());
    EXPECT_TRUE(audio.devices().empty());
    EXPECT_EQ(audio.DefaultAudioDevice(), TDeviceInfo{});
    EXPECT_FALSE(audio.SelectAudioDevice(0));
    EXPECT_FALSE(audio.SetMasterVolume(0.5f));
    EXPECT_FALSE(audio.SetMasterMute(true));
    EXPECT_EQ(audio.GetMasterVolume(), 0.0f);
    EXPECT_NE(audio.backendDescription().find("alsa-lib cannot be loaded"), std::string::npos)
        << audio.backendDescription();

    EXPECT_EQ(audio.missingLibraries(), std::string(kMissingFile) + ", " + kMissingFile);

    HotKeyEntry row;
    row.DeviceId = "a";
    for (const VolumeChange& change : {VolumeChange{VolumeChange::Kind::Step, 5},
                                       VolumeChange{VolumeChange::Kind::ToggleMute, 0}}) {
        const VolumeOutcome outcome = runAdjustVolume(&audio, row, change);
        EXPECT_EQ(outcome.error, VolumeError::NoSoundLibrary);
        EXPECT_EQ(outcome.subject, audio.missingLibraries());
    }
    const AudioEndpointData data = gatherAudioEndpoints(audio);
    EXPECT_TRUE(data.DeviceNames.empty());
    EXPECT_EQ(data.DefaultDeviceId, "");
}

TEST(SoundLibraries, AMissingServerLibraryIsNamedWhenNothingElseServes) {
    AudioOptions options;
    options.pulseLibrary = kMissingFile;
    options.mixers = {"vorbix-no-such-mixer"};
    LinuxAudioVolume audio(options);
    EXPECT_FALSE(audio.Ready());
    EXPECT_TRUE(audio.WindowXPMode());
    EXPECT_EQ(audio.missingLibraries(), kMissingFile);

    // Not missing: with the libraries there, nothing is named, served or not.
    LinuxAudioVolume installed(AudioOptions{.pulse = false, .mixers = {"vorbix-no-such-mixer"}});
    EXPECT_FALSE(installed.Ready());
    EXPECT_EQ(installed.missingLibraries(), "");
}

}  // namespace
}  // namespace vorbix
