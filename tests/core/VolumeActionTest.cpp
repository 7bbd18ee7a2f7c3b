// The volume action: reading stored values, the step arithmetic, the device a row means, the
// effect through the audio port, and the endpoint data of the start.
#include <gtest/gtest.h>

#include "core/Dispatcher.h"
#include "core/LanguageCatalogue.h"
#include "core/VolumeAction.h"
#include "platform/fake/FakeDesktop.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

using fake::Log;
using Kind = VolumeChange::Kind;

bool kMuteWords(std::string_view text) {
    return LanguageCatalogue::builtIn().isMuteWord(text);
}
constexpr std::string_view kPlaceholder = "<Lautstärke wählen>";

TEST(VolumeValue, StoredTextsReadAsStepsMuteOrNothing) {
    struct Case {
        std::string stored;
        VolumeChange expected;
    };
    const Case cases[] = {
        {"+5%", {Kind::Step, 5}},
        {"-35%", {Kind::Step, -35}},
        {"0%", {Kind::Step, 0}},
        {"-0%", {Kind::Step, 0}},
        {"+100%", {Kind::Step, 100}},
        {"-100%", {Kind::Step, -100}},
        // Beyond the limits: clamped, also where the digits would overflow any integer.
        {"+150%", {Kind::Step, 100}},
        {"-250%", {Kind::Step, -100}},
        {"99999999999999999999%", {Kind::Step, 100}},
        // Every "+" and "%" is dropped, blanks around the number do not matter.
        {"5", {Kind::Step, 5}},
        {"++10%%", {Kind::Step, 10}},
        {" +7 % ", {Kind::Step, 7}},
        // The mute word of either language, whichever language is current.
        {"Stumm/Laut", {Kind::ToggleMute, 0}},
        {"Mute/Unmute", {Kind::ToggleMute, 0}},
        {"mute/unmute", {Kind::Unreadable, 0}},
        {std::string(kPlaceholder), {Kind::NotSet, 0}},
        {"", {Kind::NotSet, 0}},
        {"%", {Kind::Unreadable, 0}},
        {"-", {Kind::Unreadable, 0}},
        {"5-", {Kind::Unreadable, 0}},
        {"--5%", {Kind::Unreadable, 0}},
        {"1 0%", {Kind::Unreadable, 0}},
        {"$14", {Kind::Unreadable, 0}},
        {"<Volume>", {Kind::Unreadable, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readVolumeChange(c.stored, kPlaceholder, kMuteWords), c.expected)
            << "stored '" << c.stored << "'";
    }
}

TEST(VolumeValue, StepsInPointsStopAtTheLimits) {
    struct Case {
        float current;
        int points;
        float expected;
    };
    const Case cases[] = {
        {0.50f, 5, 0.55f},   {0.50f, -5, 0.45f},  {0.33f, 5, 0.38f},  {0.30f, 0, 0.30f},
        {0.97f, 5, 1.00f},   {0.02f, -5, 0.00f},  {1.00f, 5, 1.00f},  {0.00f, -5, 0.00f},
        {0.00f, 100, 1.00f}, {1.00f, -100, 0.0f}, {0.4f, 300, 1.00f}, {0.4f, -300, 0.00f},
        {1.7f, -5, 0.95f},   {-0.2f, 5, 0.05f},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(steppedVolume(c.current, c.points), c.expected, 1e-6)
            << c.current << " + " << c.points;
    }
}

TEST(VolumeDevice, PresentIdFirstThenTheDefault) {
    const std::vector<TDeviceInfo> devices = {
        {"A", "a"}, {"B", "b"}, {"Speakers", "alsa_output.pci-0000.analog-stereo"}};
    struct Case {
        std::string stored;
        std::string defaultId;
        std::optional<size_t> expected;
    };
    const Case cases[] = {
        // A short id of a present device means that device, not the default.
        {"b", "a", 1},
        {"alsa_output.pci-0000.analog-stereo", "a", 2},
        // Short ids that name nothing, and the empty id, mean the default device.
        {"", "b", 1},
        {"x", "alsa_output.pci-0000.analog-stereo", 2},
        // A long id of a device that is not here (another computer's) means the default too.
        {"{0.0.0.00000000}.{5e1fb5f3-7a1c-4e2b-9a53-cbb7b1c3a1a2}", "b", 1},
        // A default that is not in the list: the first device.
        {"", "gone", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(deviceIndexFor(devices, c.stored, c.defaultId), c.expected)
            << "stored '" << c.stored << "', default '" << c.defaultId << "'";
    }
    EXPECT_EQ(deviceIndexFor({}, "a", "a"), std::nullopt);
}

struct VolumeEffect : ::testing::Test {
    fake::FakePlatform p;
    VolumeEffect() {
        p.audio.list = {{"A", "a"}, {"B", "b"}, {"Kopfhörer", "usb-headset-analog"}};
        p.audio.defaultId = "a";
        p.audio.volume = {{"a", 0.50f}, {"b", 0.97f}, {"usb-headset-analog", 0.02f}};
    }
    VolumeOutcome run(const std::string& stored, const std::string& deviceId) {
        HotKeyEntry row;
        row.PropertiesText = stored;
        row.DeviceId = deviceId;
        return runAdjustVolume(&p.audio, row, readVolumeChange(stored, kPlaceholder, kMuteWords));
    }
};

TEST_F(VolumeEffect, StepsAndTogglesTheDeviceTheRowMeans) {
    struct Case {
        std::string stored, deviceId;
        Log expected;
    };
    const Case cases[] = {
        {"+5%", "a", {"select a", "volume a 0.55"}},
        {"+5%", "b", {"select b", "volume b 1.00"}},
        {"+5%", "b", {}},  // at the limit already: nothing is written
        {"-5%",
         "usb-headset-analog",
         {"select usb-headset-analog", "volume usb-headset-analog 0.00"}},
        {"0%", "a", {"select a"}},
        {"-100%", "", {"volume a 0.00"}},  // the default device, already selected
        {"Stumm/Laut", "b", {"select b", "mute b on"}},
        {"Mute/Unmute", "b", {"mute b off"}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(run(c.stored, c.deviceId).ok()) << c.stored << " " << c.deviceId;
        EXPECT_EQ(p.take(), c.expected) << c.stored << " " << c.deviceId;
    }
}

TEST_F(VolumeEffect, DefaultDeviceIsTheOneWhenTheKeyIsPressed) {
    EXPECT_TRUE(run("-5%", "").ok());
    p.audio.defaultId = "b";
    EXPECT_TRUE(run("-5%", "").ok());
    EXPECT_EQ(p.take(), (Log{"select a", "volume a 0.45", "select b", "volume b 0.92"}));
}

TEST_F(VolumeEffect, FailuresSayWhy) {
    EXPECT_EQ(run(std::string(kPlaceholder), "a").error, VolumeError::NotSet);
    const VolumeOutcome unreadable = run("laut", "a");
    EXPECT_EQ(unreadable.error, VolumeError::Unreadable);
    EXPECT_EQ(unreadable.subject, "laut");
    p.audio.refuseWrites = true;
    const VolumeOutcome refused = run("+5%", "usb-headset-analog");
    EXPECT_EQ(refused.error, VolumeError::Failed);
    EXPECT_EQ(refused.subject, "Kopfhörer");
    p.audio.list.clear();
    EXPECT_EQ(run("+5%", "a").error, VolumeError::NoDevice);
    p.audio.ready = false;
    EXPECT_EQ(run("+5%", "a").error, VolumeError::NoSoundSystem);
    p.audio.missing = "libpulse.so.0";
    const VolumeOutcome noLibrary = run("Stumm/Laut", "a");
    EXPECT_EQ(noLibrary.error, VolumeError::NoSoundLibrary);
    EXPECT_EQ(noLibrary.subject, "libpulse.so.0");
    HotKeyEntry row;
    EXPECT_EQ(runAdjustVolume(nullptr, row, {Kind::Step, 5}).error, VolumeError::NoSoundSystem);
    // No failure changed anything.
    EXPECT_EQ(p.take(), (Log{"select usb-headset-analog"}));
}

TEST(VolumeStart, EndpointDataAndTheSelections) {
    Log log;
    fake::FakeAudioVolume audio{log};
    AudioEndpointData none = gatherAudioEndpoints(audio);
    EXPECT_TRUE(none.DeviceNames.empty());
    EXPECT_EQ(none.DefaultDeviceIndex, 0u);
    EXPECT_EQ(none.DefaultDeviceId, "");
    selectFinalAudioDevice(audio);
    EXPECT_TRUE(log.empty());

    audio.list = {{"A", "a"}, {"B", "b"}, {"C", "c"}};
    audio.defaultId = "b";
    AudioEndpointData data = gatherAudioEndpoints(audio);
    EXPECT_EQ(data.DeviceNames, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(data.DefaultDeviceIndex, 1u);
    EXPECT_EQ(data.DefaultDeviceId, "b");
    selectFinalAudioDevice(audio);  // the last device with a sound server
    audio.defaultId = "gone";
    data = gatherAudioEndpoints(audio);
    EXPECT_EQ(data.DefaultDeviceIndex, 0u);
    EXPECT_EQ(data.DefaultDeviceId, "a");
    audio.mixerMode = true;
    selectFinalAudioDevice(audio);  // the first under the mixer back end: selected already
    EXPECT_EQ(log, (Log{"select b", "select c", "select a"}));
}

TEST(VolumeDispatch, RowsRunThroughThePortAndFailuresAreTold) {
    fake::FakePlatform p;
    p.audio.list = {{"A", "a"}};
    p.audio.defaultId = "a";
    p.audio.volume["a"] = 0.2f;
    BuiltinKeyNames names{BuiltinKeyNames::Group::German};
    const LanguageTexts texts = testing::germanTestTexts();
    HotKeyTable table;
    HotKeyRegistry registry{table, p.hotKeys, names};
    struct Shell : ShellHooks {
        Log& log;
        explicit Shell(Log& l) : log(l) {}
        void activationSwitch() override {}
        void toggleMainWindow() override {}
        WindowId hideMainWindowForCloseAll() override { return 0; }
        void runEditorEffect(ActionKind, const HotKeyEntry&) override { log.push_back("editor"); }
        void actionFailed(const std::string& reason) override { log.push_back("failed " + reason); }
    } shell{p.log};
    // The language file of the user's language gives its texts; the other's mute word counts.
    LanguageCatalogue languages;
    for (const auto& [language, mute] :
         {std::pair{"German", "Ton aus/an"}, std::pair{"English", "Sound off/on"}}) {
        LanguageWords words;
        words.main.language = language;
        words.mute = mute;
        languages.add(words);
    }
    Dispatcher dispatcher{table,
                          texts,
                          registry,
                          names,
                          p.desktop(),
                          shell,
                          [](std::string_view key) -> std::string {
                              return key == "MessageVolumeFailed" ? "%s verweigert" : "";
                          },
                          &languages};
    auto press = [&](const std::string& stored) {
        HotKeyEntry row;
        row.ActionText = texts.caption(ActionKind::AdjustVolume);
        row.PropertiesText = stored;
        row.DeviceId = "a";
        dispatcher.runAction(row);
        return p.take();
    };
    EXPECT_EQ(press("+10%"), (Log{"select a", "volume a 0.30"}));
    EXPECT_EQ(press("Sound off/on"), (Log{"mute a on"}));
    EXPECT_EQ(press("Ton aus/an"), (Log{"mute a off"}));
    EXPECT_EQ(press("Stumm/Laut"), (Log{"mute a on"}));
    EXPECT_EQ(press(texts.sNewVolume),
              (Log{"failed No volume change has been set for this hot key yet."}));
    p.audio.refuseWrites = true;
    EXPECT_EQ(press("-5%"), (Log{"failed A verweigert"}));
    // Without the sound libraries the notice names them (the English text without a file).
    p.audio.ready = false;
    p.audio.missing = "libpulse.so.0, libasound.so.2";
    EXPECT_EQ(press("+5%"),
              (Log{"failed The sound system cannot be loaded (libpulse.so.0, libasound.so.2)."}));
}

}  // namespace
}  // namespace vorbix
